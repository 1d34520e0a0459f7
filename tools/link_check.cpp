// Linked with the whole of one subsystem library and the libraries it
// names: a symbol it takes from a folder it does not link fails the build.
int main() { return 0; }
