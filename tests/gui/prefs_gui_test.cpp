// Preferences dialog tests: being written.
