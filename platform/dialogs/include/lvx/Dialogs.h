// The dialog toolkit in one include.
#pragma once

#include "lvx/dialogs/Action.h"
#include "lvx/dialogs/DialogEvents.h"
#include "lvx/dialogs/Form.h"
#include "lvx/dialogs/MessageBox.h"
#include "lvx/dialogs/ScriptedUser.h"
#include "lvx/dialogs/TerminalUser.h"
#include "lvx/dialogs/User.h"
