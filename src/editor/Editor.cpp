#include "editor/Editor.h"
