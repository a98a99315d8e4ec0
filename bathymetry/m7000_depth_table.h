// The depths of an M7000 shapefile data set, from its dBASE table.
//
// The table stays open between loads (a data set is often loaded again), and
// is closed when another table is asked for and when the main window goes.
#pragma once

#include <string>

namespace vornel {

// The depth of table record `recordIndex` (from 0): the decimal value of its
// "Depth" or "鉛直値" field. 9999 when the table cannot be opened, has no such
// field, the index is negative or the record is not in the file.
double readDepthValue(const std::wstring& tablePath, int recordIndex);

// Closes the cached table. The main window calls it when it is destroyed.
void closeDepthTableCache();

// True while a table is held open (tests).
bool depthTableCacheOpen();

}  // namespace vornel
