/* A library that looks like the engine at first sight but lacks most of its entry points. */
const char* sqlite3_libversion(void) {
  return "0.0.0";
}

int sqlite3_open(const char* fileName, void** db) {
  (void)fileName;
  *db = 0;
  return 1;
}

int sqlite3_close(void* db) {
  (void)db;
  return 0;
}
