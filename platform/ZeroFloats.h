#pragma once

class TFiler;
class TPersistent;

// The extra property _Floats: a list of (property name, value) pairs for every floating-point
// property of `object` whose value is 0, set back by name when the layout is read. So a zero
// survives even where a property's declared default is not zero.
void DefineZeroFloats(TPersistent& object, TFiler& filer);
