#pragma once

// The input pin: linked to at most one source.

#include "pins/LkPin.h"
#include "platform/Component.h"

#include <memory>
#include <vector>

class TLkFormatConverter;
class TLkSourcePin;
class TLkStateDispatcher;

// An input: linked to at most one source, directly or through a converter.
class TLkSinkPin : public TLkStreamPin {
public:
  PUBLISHED_CLASS_INFO

  TLkSinkPin(TComponent* owner, TLkPinList* ownerList = nullptr, ILkLock* componentLock = nullptr);
  ~TLkSinkPin() override;

  TLkPinKind GetKind() const override { return TLkPinKind::Sink; }
  TLkBasicPin* GetSource() const { return Source_; }
  // The pin that actually delivers: the source, or the output of a converter in between.
  TLkBasicPin* ImmediateSource() const { return Immediate_; }
  // The type this sink chose for its link, and its own handler for it (for upstream sends).
  TGUID GetCurrentType() override { return Type_; }
  TLkHandler CurrentHandler() const { return Handler_; }

  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool CanLinkTo(TLkBasicPin* peer) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;
  void UnlinkAll() override;

  bool DependsOn(TLkBasicPin* pin) override;
  TGUID GetLinkType(TLkBasicPin* pin) override;
  TLkBasicPin* GetAfterPin(TLkBasicPin* pin) override;
  int GetLinkCount() override { return Source_ ? 1 : 0; }
  TLkBasicPin* GetLinkedPin(int index) override { return index == 0 ? Source_ : nullptr; }
  TLkBasicPin* GetLinkAfterPin(int index) override;
  bool IsLinkedTo(TLkBasicPin* pin) override { return pin && pin == Source_; }
  bool IsLinkedThroughConverter(TLkBasicPin* pin) override;
  // Sends upstream to the (logical) source through the sink's own handler for its type.
  uint8_t Notify(TLkNotifyOperation& operation) override;

  void PinDestroying(TLkBasicPin* pin) override;

  // A sink in a state group stores its group, not its source.
  bool LinksStored() override { return Source_ && !IsStateLinked(); }
  // SourcePin: the source's identifier path, or (identifier path, 'display path'), either wrapped
  // with the after-pin's identifier path as ((source) afterPin).
  void ReadLinks(TLayoutReader& reader) override;
  void WriteLinks(TLayoutWriter& writer) override;

  // Drops the link to the source (as Connect(nullptr) does), never refused.
  void DropLink();
  // Joins `group` fed by the output of `converter`, whose input becomes the member's connection.
  // `made`, when set, is that converter made for the join from `from` to `to`; the group keeps it
  // once the sink is a member. Refused (false) while a stop is pending on the group.
  bool JoinGroupThrough(TLkStateDispatcher& group, TLkFormatConverter& converter,
                        std::unique_ptr<TLkFormatConverter, TComponentDeleter> made, const TGUID& from, const TGUID& to,
                        TLkBasicPin* afterPin);
  // Names `source` (or a placeholder standing for one) as the sink's source and the pin that
  // delivers to it, without the link checks: for the framework's own links (a converter's input, a
  // placeholder's peer). With the type that the source chose, takes the sink's handler for it too.
  void TakeSource(TLkBasicPin& source);
  void TakeSource(TLkSourcePin& source, const TGUID& chosen);
  // Records that `source` computes its output from this sink (see TLkSourcePin::AddDependency).
  void AddDependentSource(TLkSourcePin* source);

protected:
  const char* LinkPropertyName() const override { return "SourcePin"; }
  // Stream sinks accept any source whose type negotiation succeeds, without a sink-side check.
  void SetSkipAcceptance(bool skip) { SkipAcceptance = skip; }
  void BeforeJoinGroup() override { DropLink(); }
  void LinksChanged() override { ResyncGroup(); }

private:
  // Makes `source` this sink's source without the link checks: for converters kept by groups.
  void LinkFrom(TLkSourcePin& source);
  // Chooses the type against the delivering pin (`chosen` is the type that pin chose) and takes
  // its own handler for it.
  void ChooseType(const TLkPin& delivering, const TGUID& chosen);

  TLkBasicPin* Source_ = nullptr;
  TLkBasicPin* Immediate_ = nullptr;
  TLkHandler Handler_;
  TGUID Type_;
  bool SkipAcceptance = false;
  std::vector<TLkSourcePin*> DependentSources;  // sources whose output is computed from this sink
};
