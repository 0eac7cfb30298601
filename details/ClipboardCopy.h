#pragma once
// Copying the detail view as text: every row, selected or not, each followed by one LF.

#include <QString>
#include <vector>

#include "details/DetailModel.h"

QString DetailText(const std::vector<TDetData>& rows);

// Replaces the clipboard's contents with DetailText(rows), in a Unicode and an 8-bit form.
void CopyDetailsToClipboard(const std::vector<TDetData>& rows);
