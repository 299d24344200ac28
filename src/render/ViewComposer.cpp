#include "render/ViewComposer.h"

#include "app/ProgramState.h"

namespace kavalo {

void PrintGazo(ProgramState& state, ComposeHooks& hooks) {
  (void)state;
  (void)hooks;
}

}  // namespace kavalo
