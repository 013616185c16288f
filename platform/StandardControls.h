#pragma once

// Makes the standard control classes known to layouts by name.
void RegisterStandardControls();
