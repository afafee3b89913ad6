#include "model/codetab.h"
