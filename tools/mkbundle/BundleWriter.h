// Writing a planned bundle to disk.
#pragma once

#include "BundlePlan.h"

/// Writes the bundle beside its final place and moves it there only when it is
/// complete, so a failure leaves no half-made bundle (and any old one intact).
/// Throws std::filesystem::filesystem_error.
void WriteBundle(const BundlePlan& plan);
