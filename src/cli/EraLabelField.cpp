#include "cli/EraLabelField.h"

namespace kavalo {

void writeEraLabelField(JsonWriter&, const ProgramState&, int) {}

}  // namespace kavalo
