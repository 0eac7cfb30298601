#include "bench/datafile/SearchTimings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "data/LiteDb.h"

namespace {

struct TShape {
  const char* Name;
  const char16_t* Conditions;
};

// The statement as the search assembles it, with the conditions of one shape.
std::u16string Statement(const char16_t* conditions) {
  return std::u16string(
             u"SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, "
             u"prefix p, version v WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk = p.pref_pk ") +
         conditions + u"ORDER  BY v.vers_name, p.pref_name, e.e_code  LIMIT 500";
}

constexpr TShape kShapes[] = {
    {"code =", u"  AND  e.e_code = '00942' "},
    {"prefix + code =", u"  AND  p.pref_name = 'ORA'   AND  e.e_code = '00942' "},
    {"code LIKE", u"  AND  e.e_code LIKE '%942%' "},
    {"code LIKE, none", u"  AND  e.e_code LIKE '%9x4%' "},
    {"prefix alone", u"  AND  p.pref_name = 'ORA' "},
    {"message words", u"  AND  Upper(e.e_message) LIKE '%TABLE%' "},
    {"message words, none", u"  AND  Upper(e.e_message) LIKE '%NO SUCH WORDS%' "},
};

double MedianMilliseconds(TLiteDB& db, const std::u16string& sql, int repeats, int& rows) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!db.QueryW(sql)) {
      std::fprintf(stderr, "statement failed: %s\n", db.GetErrorMessage().c_str());
      return -1;
    }
    rows = db.RowCount();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::ranges::sort(times);
  return times[times.size() / 2];
}

}  // namespace

double PrintSearchTimings(TLiteDB& db, const std::string& label, int repeats) {
  double total = 0;
  for (const TShape& shape : kShapes) {
    int rows = 0;
    const double median = MedianMilliseconds(db, Statement(shape.Conditions), repeats, rows);
    std::printf("%-16s %-20s %10.3f ms median of %d (%d rows)\n", label.c_str(), shape.Name, median,
                repeats, rows);
    total += median;
  }
  return total;
}
