#include "tools/mkdb/catalogue/DataFileSchema.h"

// Column types: integer keys, everything else text. vers_pk, pref_pk, e_pk and lang_pk are
// rowid aliases, so lookups by key need no index of their own.
const std::string_view kCreateTablesSql = R"sql(
CREATE TABLE version (
  vers_pk   INTEGER PRIMARY KEY,
  vers_name TEXT NOT NULL);
CREATE TABLE prefix (
  pref_pk   INTEGER PRIMARY KEY,
  pref_name TEXT NOT NULL,
  pref_desc TEXT);
CREATE TABLE error (
  e_pk      INTEGER PRIMARY KEY,
  vers_fk   INTEGER NOT NULL REFERENCES version (vers_pk),
  pref_fk   INTEGER NOT NULL REFERENCES prefix (pref_pk),
  e_code    TEXT NOT NULL,
  e_message TEXT NOT NULL,
  e_cause   TEXT,
  e_action  TEXT);
CREATE TABLE usr_comment (
  e_fk       INTEGER NOT NULL REFERENCES error (e_pk),
  commentary TEXT,
  lastdate   TEXT);
CREATE TABLE sys_data (
  param TEXT NOT NULL,
  value TEXT);
CREATE TABLE language_en (
  lang_pk INTEGER PRIMARY KEY,
  en_text TEXT NOT NULL);
CREATE TABLE language_int (
  lang_fk  INTEGER NOT NULL REFERENCES language_en (lang_pk),
  lang_abr TEXT NOT NULL,
  int_text TEXT);
)sql";

// error_code: the code search with = (and with a prefix or version beside it).
// error_order: the search's nested loops version -> prefix -> error, which come out in the
//   statement's ORDER BY order, so a search by prefix or version alone stops at its LIMIT
//   instead of sorting every match; a LIKE on the code is checked on this index before the
//   row itself is read.
// version_name, prefix_name: the outer loops of that order, and the lookups by name. A full
//   scan of the tiny version and prefix tables still reads the tables themselves, so the
//   pick lists keep the order in which the rows were inserted.
// usr_comment_message: the comment statements by e_fk and the search's comment join.
// language_*: the caption lookup.
const std::string_view kCreateIndexesSql = R"sql(
CREATE INDEX IF NOT EXISTS error_code ON error (e_code, pref_fk, vers_fk);
CREATE INDEX IF NOT EXISTS error_order ON error (vers_fk, pref_fk, e_code);
CREATE INDEX IF NOT EXISTS version_name ON version (vers_name);
CREATE INDEX IF NOT EXISTS prefix_name ON prefix (pref_name);
CREATE INDEX IF NOT EXISTS usr_comment_message ON usr_comment (e_fk);
CREATE INDEX IF NOT EXISTS language_en_text ON language_en (en_text);
CREATE INDEX IF NOT EXISTS language_int_caption ON language_int (lang_fk, lang_abr);
ANALYZE;
)sql";
