#include "app/Editor.h"
