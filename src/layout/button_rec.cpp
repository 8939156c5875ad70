#include "src/layout/button_rec.h"

#include "platform/platform.h"

namespace plinth {

TButtonRec MakeTemplateRec() {
  TButtonRec rec;
  rec.Type = "KEY";
  rec.Shift = 0;
  return rec;
}

TLayerSuffix MakeLayerSuffix() { return {"", "Shift", "Ext", "ExtShift"}; }

void InheritButtonRec(TButtonRec& dest, const TButtonRec& source, int layer,
                      platform::TextCase& text_case) {
  if (&dest != &source) dest = source;
  const bool shift_layer = layer == 1 || layer == 3;
  if (shift_layer && dest.Caption.size() == 1) text_case.CharUpperBuff(dest.Caption);
}

}  // namespace plinth
