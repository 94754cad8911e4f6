#include "ini/IniElement.h"

IniElement::~IniElement() = default;
