#include "data/passqlite.h"
