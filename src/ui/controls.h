// Every control of the toolkit, for forms that use many.
#pragma once

#include "ui/application.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/dialogs.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/screen.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
