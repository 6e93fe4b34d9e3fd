#include "store/Store.h"
