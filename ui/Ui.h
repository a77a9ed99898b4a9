#pragma once
// Everything a form needs from the widget layer.
#include "ui/Backend.h"
#include "ui/Components.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/ListView.h"
#include "ui/NumEdit.h"
#include "ui/Ranges.h"
#include "ui/Widget.h"
