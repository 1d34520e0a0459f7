#include "objects/object_type.h"

namespace tolv {

ObjectType* object_types = nullptr;
ScopeCounts object_type_counts;

}  // namespace tolv
