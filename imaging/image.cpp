#include "imaging/image.h"
