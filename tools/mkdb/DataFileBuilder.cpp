#include "tools/mkdb/DataFileBuilder.h"
