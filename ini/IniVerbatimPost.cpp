#include "ini/IniVerbatimPost.h"

IniVerbatimPost::~IniVerbatimPost() = default;
