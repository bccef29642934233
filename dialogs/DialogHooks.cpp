#include "dialogs/DialogHooks.h"

#include <utility>

namespace {
DialogHooks g_hooks;
}  // namespace

void SetDialogHooks(DialogHooks hooks) { g_hooks = std::move(hooks); }
const DialogHooks& GetDialogHooks() { return g_hooks; }
