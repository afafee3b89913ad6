#include "files/formats.h"
