// A module that loads but exports neither function: the host must refuse it.
