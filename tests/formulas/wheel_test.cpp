#include "formulatest.h"

using namespace orbelle;
