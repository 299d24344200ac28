#pragma once
// The era label field of the info command ("label"), added with the era
// labels.
namespace kavalo {
class JsonWriter;
struct ProgramState;
void writeEraLabelField(JsonWriter& j, const ProgramState& state, int eraIndex);
}  // namespace kavalo
