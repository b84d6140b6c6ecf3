#include "enginefixture.h"
