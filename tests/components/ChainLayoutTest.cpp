#include "ComponentTestKit.h"

#include "components/ComponentClasses.h"
#include "components/DnAudioToReal.h"
#include "components/DnRealToAudio.h"
#include "components/DnSpectrum.h"
#include "components/KvAdd.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Published.h"

#include <gtest/gtest.h>

namespace {

// A window in small, owning the components it writes.
class TChainRoot : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TChainRoot(TComponent* owner = nullptr) : TComponent(owner) {}
  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const override {
    for (int i = 0; i < ComponentCount(); ++i) visit(Components(i));
  }
};

const TClassInfo& TChainRoot::StaticClassInfo() { return DefineClass<TChainRoot, TComponent>("TChainRoot"); }

template <class T>
T& Find(TComponent& root, const char* name) {
  return dynamic_cast<T&>(*root.FindComponent(name));
}

TEST(ChainLayout, TheProcessingComponentsStoreTheirSettingsAndTheLinksOfTheirPinLists) {
  RegisterComponentClasses();
  RegisterClasses<TChainRoot>();
  TOwned<TChainRoot> built(new TChainRoot);
  built->SetName("Form1");
  auto* split = new TDnAudioToReal(built.get());
  split->SetName("DnAudioToReal1");
  split->SetCountChannels(1);
  split->SetNormalize(true);
  auto* add = new TKvAdd(built.get());
  add->SetName("KvAdd1");
  add->InputPins()->SetCount(3);
  add->SetBufferSize(512);
  auto* join = new TDnRealToAudio(built.get());
  join->SetName("DnRealToAudio1");
  join->AudioFormat()->SetChannels(1);
  join->AudioFormat()->SetSampleRate(44100);
  auto* spectrum = new TDnSpectrum(built.get());
  spectrum->SetName("DnSpectrum1");
  spectrum->SetCountChannels(1);
  spectrum->SetOrder(9);
  spectrum->SetSamplingWindowStep(128);
  spectrum->SetNormalization(fnNormalizeSqrt);
  spectrum->SetModedB(adbPower);
  ASSERT_TRUE(add->InputPins()->GetPin(2)->Connect(split->OutputPins()->GetPin(0)));
  ASSERT_TRUE(join->InputPins()->GetPin(0)->Connect(add->OutputPin()));
  ASSERT_TRUE(spectrum->InputPin()->Connect(join->OutputPin()));
  const std::string text = TLayoutWriter::WriteRoot(*built);

  TOwned<TChainRoot> read(new TChainRoot);
  TLayoutReader::ReadRoot(*read, text);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*read), text);
  auto& split2 = Find<TDnAudioToReal>(*read, "DnAudioToReal1");
  auto& add2 = Find<TKvAdd>(*read, "KvAdd1");
  auto& join2 = Find<TDnRealToAudio>(*read, "DnRealToAudio1");
  auto& spectrum2 = Find<TDnSpectrum>(*read, "DnSpectrum1");
  EXPECT_EQ(split2.OutputPins()->GetCount(), 1);
  EXPECT_TRUE(split2.Normalize());
  EXPECT_EQ(add2.InputPins()->GetCount(), 3);
  EXPECT_EQ(add2.BufferSize(), 512);
  EXPECT_EQ(join2.InputPins()->GetCount(), 1);
  EXPECT_EQ(join2.AudioFormat()->SampleRate(), 44100u);
  EXPECT_EQ(spectrum2.Order(), 9);
  EXPECT_EQ(spectrum2.SamplingWindowStep(), 128u);
  EXPECT_EQ(spectrum2.Normalization(), fnNormalizeSqrt);
  EXPECT_EQ(spectrum2.ModedB(), adbPower);
  EXPECT_EQ(spectrum2.FrequencyOutputPins()->GetCount(), 1);
  EXPECT_TRUE(add2.InputPins()->GetPin(2)->IsLinkedTo(split2.OutputPins()->GetPin(0)));
  EXPECT_FALSE(add2.InputPins()->GetPin(0)->IsLinked());
  EXPECT_TRUE(join2.InputPins()->GetPin(0)->IsLinkedTo(add2.OutputPin()));
  EXPECT_TRUE(spectrum2.InputPin()->IsLinkedTo(join2.OutputPin()));
}

}  // namespace
