#include "platform/StandardControls.h"

#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/ControlBar.h"
#include "platform/Edit.h"
#include "platform/GroupBox.h"
#include "platform/Label.h"
#include "platform/Panel.h"
#include "platform/Published.h"
#include "platform/RadioButton.h"
#include "platform/Splitter.h"
#include "platform/StringGrid.h"
#include "platform/ToolBar.h"
#include "platform/TrackBar.h"

void RegisterStandardControls() {
  RegisterClasses<TButton, TComboBox, TControlBar, TEdit, TGroupBox, TLabel, TPanel, TRadioButton, TSplitter,
                  TStringGrid, TToolBar, TTrackBar>();
}
