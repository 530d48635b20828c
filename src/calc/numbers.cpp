#include "calc/numbers.h"
