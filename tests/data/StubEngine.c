// A library that looks like the engine but lacks "sqlite3_prepare16": the binding must refuse
// it and let it go. Its names are only looked up, never called, so plain variables serve.
#ifdef _WIN32
#define EXPORTED __declspec(dllexport)
#else
#define EXPORTED __attribute__((visibility("default")))
#endif

EXPORTED int sqlite3_bind_parameter_count, sqlite3_bind_parameter_name, sqlite3_busy_handler,
    sqlite3_busy_timeout, sqlite3_changes, sqlite3_close, sqlite3_collation_needed,
    sqlite3_collation_needed16, sqlite3_column_blob, sqlite3_column_bytes, sqlite3_column_bytes16,
    sqlite3_column_count, sqlite3_column_double, sqlite3_column_int, sqlite3_column_int64,
    sqlite3_column_text, sqlite3_column_text16, sqlite3_column_type, sqlite3_column_decltype,
    sqlite3_column_decltype16, sqlite3_column_name, sqlite3_column_name16, sqlite3_complete,
    sqlite3_complete16, sqlite3_create_collation, sqlite3_create_collation16, sqlite3_data_count,
    sqlite3_errcode, sqlite3_errmsg, sqlite3_errmsg16, sqlite3_exec, sqlite3_finalize, sqlite3_free,
    sqlite3_get_table, sqlite3_free_table, sqlite3_interrupt, sqlite3_last_insert_rowid,
    sqlite3_open, sqlite3_open16, sqlite3_prepare, sqlite3_reset, sqlite3_step,
    sqlite3_total_changes, sqlite3_libversion;
