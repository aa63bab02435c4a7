// Preloaded into a benchmark run to show what the disk flushes cost: fsync
// and fdatasync return at once without flushing. Never used by the program.

extern "C" int fsync(int) {
    return 0;
}

extern "C" int fdatasync(int) {
    return 0;
}
