#include "util/NxConverter.h"

namespace norvex::util {

NxConverter::~NxConverter() = default;

}  // namespace norvex::util
