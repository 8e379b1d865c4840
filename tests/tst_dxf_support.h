#pragma once

// Merged into the one support header; include that instead.
#include "testsupport.h"
