#include "dialog/application.h"

namespace kv {

Application application;

}  // namespace kv
