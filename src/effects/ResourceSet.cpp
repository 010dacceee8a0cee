#include "effects/ResourceSet.h"

ResourceSet Resources;
