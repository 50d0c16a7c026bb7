int tavolentAppPlaceholder() { return 0; }
