#pragma once
#include "model/codetab.h"
