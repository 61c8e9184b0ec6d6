#include "LamivexTest.h"
