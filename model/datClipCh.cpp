#include "model/datClipCh.h"

datClipCh::~datClipCh() = default;
