// Placeholder source until the first writer lands.
