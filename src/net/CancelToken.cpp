// SPDX-License-Identifier: MIT
#include "net/CancelToken.h"

namespace kavalo {

namespace {
thread_local CancelToken* t_current = nullptr;
}

void CancelToken::cancel() {
  if (cancelled_.exchange(true)) return;
  emit cancelled();
}

CancelScope::CancelScope(CancelToken* token) : previous_(t_current) { t_current = token; }

CancelScope::~CancelScope() { t_current = previous_; }

CancelToken* CancelScope::current() { return t_current; }

}  // namespace kavalo
