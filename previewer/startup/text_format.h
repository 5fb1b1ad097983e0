#pragma once
#include "platform/text_format.h"  // moved; forwarding until callers are updated
