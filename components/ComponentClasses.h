#pragma once

// Makes the processing components known to layouts by class name.
void RegisterComponentClasses();
