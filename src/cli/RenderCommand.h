#pragma once
#include <QStringList>

namespace kavalo {

// kavalo-cli render --root DIR [--dataset N] [view options] -o FILE.png:
// composes the view through the window's composition and writes it as PNG.
int runRenderCommand(const QStringList& args);

}  // namespace kavalo
