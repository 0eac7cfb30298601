#pragma once
// What the "?" button beside the prefix list shows: the description the data file keeps for
// the selected prefix. Failures are silent by design; the button is a convenience and has
// nothing to report.

#include <QString>
#include <optional>

class TSQLDB;

// The message text for `prefix` ("Prefix description:", LF, CR, then the description), or
// nothing when the prefix is empty (the "any prefix" entry: no statement runs), when the
// statement fails, or when it finds no row or more than one.
std::optional<QString> PrefixDescriptionText(TSQLDB& db, const QString& prefix);
