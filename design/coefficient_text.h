#pragma once

#include <string>

namespace signova {

// The shortest text t (at most 9 significant digits, which always suffice)
// whose float(StrToFloat(t)) is `value`: what the table shows of a
// single-precision design. The filter then uses StrToFloat(t), a double.
std::string ShortestFloatText(float value);

// The shortest text (at most 17 significant digits) whose StrToFloat is
// `value` exactly: a coefficient computed in double.
std::string ShortestDoubleText(double value);

} // namespace signova
