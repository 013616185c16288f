#include "platform/Button.h"
#include "platform/Edit.h"
#include "platform/EzCustomControl.h"
#include "platform/Form.h"
#include "platform/GroupBox.h"
#include "platform/Label.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Panel.h"
#include "platform/Published.h"
#include "platform/RadioButton.h"
#include "platform/Splitter.h"
#include "platform/StandardControls.h"
#include "platform/TrackBar.h"
#include "platform/WidgetControl.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Aligned panels around a client panel that holds one control of every other kind.
const std::string Canonical = R"(object TestForm: TTestForm
  Left = 10
  Top = 20
  Width = 400
  Height = 300
  Caption = 'Test'
  object Top1: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 50
    Align = alTop
    Color = clYellow
    Caption = 'top'
  end
  object Bottom1: TPanel
    Left = 0
    Top = 260
    Width = 400
    Height = 40
    Align = alBottom
  end
  object Left1: TPanel
    Left = 0
    Top = 50
    Width = 60
    Height = 210
    Align = alLeft
  end
  object Splitter1: TSplitter
    Left = 60
    Top = 50
    Width = 3
    Height = 210
    MinSize = 20
  end
  object Client1: TPanel
    Left = 63
    Top = 50
    Width = 337
    Height = 210
    Align = alClient
    BevelOuter = bvNone
    object TrackBar1: TTrackBar
      Left = 10
      Top = 0
      Width = 30
      Height = 121
      Max = 2150
      Min = 1
      Orientation = trVertical
      Frequency = 44
      Position = 50
      OnChange = Changed
    end
    object Edit1: TEdit
      Left = 50
      Top = 0
      Width = 45
      Height = 21
      Text = '520'
      OnChange = Changed
    end
    object Group1: TGroupBox
      Left = 100
      Top = 0
      Width = 105
      Height = 66
      Caption = 'Signal Type'
      object Tone1: TRadioButton
        Left = 8
        Top = 16
        Width = 80
        Height = 17
        Caption = 'Tone'
        Checked = True
        OnClick = Clicked
      end
      object Square1: TRadioButton
        Left = 8
        Top = 40
        Width = 80
        Height = 17
        Caption = 'Square'
        OnClick = Clicked
      end
    end
    object Start1: TButton
      Left = 220
      Top = 0
      Width = 75
      Height = 25
      Caption = 'Start'
      OnClick = Clicked
    end
    object Stop1: TButton
      Left = 220
      Top = 30
      Width = 75
      Height = 25
      Enabled = False
      Caption = 'Stop'
    end
    object Label1: TLabel
      Left = 50
      Top = 100
      Width = 60
      Height = 20
      Font.Color = clRed
      Font.Height = -16
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
      AutoSize = False
      Caption = 'big'
    end
  end
end
)";

class TTestForm : public TForm {
public:
  PUBLISHED_CLASS_INFO

  explicit TTestForm(const std::string& layout) : TForm(nullptr) {
    RegisterStandardControls();
    InitFromLayout(layout);
  }

  TPanel* Left1 = nullptr;
  TPanel* Client1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TEdit* Edit1 = nullptr;
  TRadioButton* Tone1 = nullptr;
  TRadioButton* Square1 = nullptr;
  TButton* Start1 = nullptr;
  TButton* Stop1 = nullptr;
  TLabel* Label1 = nullptr;
  std::vector<std::string> Heard;

  void Clicked(TObject* Sender) { Heard.push_back("click " + static_cast<TComponent*>(Sender)->Name()); }
  void Changed(TObject* Sender) { Heard.push_back("change " + static_cast<TComponent*>(Sender)->Name()); }
};

const TClassInfo& TTestForm::StaticClassInfo() {
  return DefineClass<TTestForm, TForm>("TTestForm", [](TPublished<TTestForm>& p) {
    p.Field("Left1", &TTestForm::Left1)
        .Field("Client1", &TTestForm::Client1)
        .Field("Splitter1", &TTestForm::Splitter1)
        .Field("TrackBar1", &TTestForm::TrackBar1)
        .Field("Edit1", &TTestForm::Edit1)
        .Field("Tone1", &TTestForm::Tone1)
        .Field("Square1", &TTestForm::Square1)
        .Field("Start1", &TTestForm::Start1)
        .Field("Stop1", &TTestForm::Stop1)
        .Field("Label1", &TTestForm::Label1)
        .Method<TNotifyEvent>("Clicked", &TTestForm::Clicked)
        .Method<TNotifyEvent>("Changed", &TTestForm::Changed);
  });
}

class Controls : public ::testing::Test {
protected:
  void SetUp() override {
    Form.reset(new TTestForm(Canonical));
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
  }
  std::unique_ptr<TTestForm, TComponentDeleter> Form;
};

TEST_F(Controls, LayoutOfEveryControlClassWritesBackUnchanged) {
  EXPECT_EQ(TLayoutWriter::WriteRoot(*Form), Canonical);
}

TEST_F(Controls, StoredPropertiesReachTheWidgets) {
  EXPECT_EQ(Form->windowTitle(), "Test");
  EXPECT_EQ(Form->TrackBar1->minimum(), 1);
  EXPECT_EQ(Form->TrackBar1->maximum(), 2150);
  EXPECT_EQ(Form->TrackBar1->value(), 50);
  EXPECT_EQ(Form->TrackBar1->tickInterval(), 44);
  EXPECT_EQ(Form->TrackBar1->orientation(), Qt::Vertical);
  EXPECT_EQ(Form->Edit1->text(), "520");
  EXPECT_TRUE(Form->Tone1->isChecked());
  EXPECT_FALSE(Form->Square1->isChecked());
  EXPECT_EQ(Form->Start1->text(), "Start");
  EXPECT_FALSE(Form->Stop1->isEnabled());
  EXPECT_TRUE(Form->Label1->font().bold());
  EXPECT_EQ(Form->Label1->font().pixelSize(), 16);
  EXPECT_EQ(Form->Label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  // Loading ran no change handler.
  EXPECT_TRUE(Form->Heard.empty());
}

TEST_F(Controls, AlignedControlsFillTheirSidesInOrder) {
  EXPECT_EQ(Form->Left1->geometry(), QRect(0, 50, 60, 210));
  EXPECT_EQ(Form->Client1->geometry(), QRect(63, 50, 337, 210));
  Form->resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(Form->Left1->geometry(), QRect(0, 50, 60, 310));
  EXPECT_EQ(Form->Client1->geometry(), QRect(63, 50, 437, 310));
  Form->Left1->SetVisible(false);
  EXPECT_EQ(Form->Splitter1->geometry(), QRect(0, 50, 3, 310));
  EXPECT_EQ(Form->Client1->geometry(), QRect(3, 50, 497, 310));
}

TEST_F(Controls, DraggingTheSplitterSizesTheControlBeforeItWithinMinSize) {
  auto drag = [&](int dx) {
    const QPoint grip(1, 100);
    QTest::mousePress(Form->Splitter1, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, grip + QPoint(dx, 0), Form->Splitter1->mapToGlobal(grip + QPoint(dx, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form->Splitter1, &move);
    QTest::mouseRelease(Form->Splitter1, Qt::LeftButton, {}, grip + QPoint(dx, 0));
  };
  drag(30);
  EXPECT_EQ(Form->Left1->Width(), 90);
  EXPECT_EQ(Form->Client1->geometry(), QRect(93, 50, 307, 210));
  drag(-200);
  EXPECT_EQ(Form->Left1->Width(), 20);
  drag(1000);
  EXPECT_EQ(Form->Left1->Width(), 400 - 3 - 20);
}

TEST_F(Controls, UserInputRunsTheBoundHandlers) {
  QTest::mouseClick(Form->Start1, Qt::LeftButton);
  QTest::mouseClick(Form->Stop1, Qt::LeftButton);  // disabled
  QTest::mouseClick(Form->Square1, Qt::LeftButton);
  EXPECT_TRUE(Form->Square1->isChecked());
  EXPECT_FALSE(Form->Tone1->isChecked());
  Form->TrackBar1->setFocus();
  QTest::keyClick(Form->TrackBar1, Qt::Key_Down);  // vertical bars grow downwards
  EXPECT_EQ(Form->TrackBar1->Position(), 51);
  Form->Edit1->setFocus();
  QTest::keyClicks(Form->Edit1, "0");
  EXPECT_EQ(Form->Edit1->Caption(), "5200");
  EXPECT_EQ(Form->Heard,
            (std::vector<std::string>{"click Start1", "click Square1", "change TrackBar1", "change Edit1"}));
}

TEST_F(Controls, FontsFollowTheParentUntilSetOnTheControl) {
  Form->Font()->SetHeight(-20);
  EXPECT_EQ(Form->Client1->font().pixelSize(), 20);
  EXPECT_TRUE(Form->Client1->ParentFont());
  EXPECT_EQ(Form->Label1->font().pixelSize(), 16);
  Form->Client1->Font()->SetHeight(-9);
  EXPECT_FALSE(Form->Client1->ParentFont());
  EXPECT_EQ(Form->Edit1->font().pixelSize(), 9);
}

TEST_F(Controls, AutoSizedLabelsTakeTheSizeTheirCaptionNeeds) {
  TLabel* label = Form->Label1;
  label->SetAutoSize(true);
  label->SetCaption("a much longer caption");
  EXPECT_EQ(label->Width(), label->sizeHint().width());
  EXPECT_GT(label->Width(), 60);
}

// A display-like control with a floating-point property whose default is not zero.
class TTestDisplay : public TWidgetControl<QWidget, TEzCustomControl> {
public:
  PUBLISHED_CLASS_INFO
  using TWidgetControl::TWidgetControl;
  double Zoom() const { return Zoom_; }
  void SetZoom(double zoom) { Zoom_ = zoom; }

private:
  double Zoom_ = 1;
};

const TClassInfo& TTestDisplay::StaticClassInfo() {
  return DefineClass<TTestDisplay, TEzCustomControl>("TTestDisplay", [](TPublished<TTestDisplay>& p) {
    p.Float("Zoom", &TTestDisplay::Zoom, &TTestDisplay::SetZoom, 1.0);
  });
}

TEST(EzCustomControl, KeepsAZeroFloatThroughFloats) {
  std::unique_ptr<TTestDisplay, TComponentDeleter> display(new TTestDisplay(nullptr));
  display->SetName("Display1");
  display->SetBounds(0, 0, 10, 10);
  display->SetZoom(0);
  const std::string text = TLayoutWriter::WriteRoot(*display);
  EXPECT_NE(text.find("  _Floats = (\n    (\n      'Zoom'\n      0))"), std::string::npos) << text;

  std::unique_ptr<TTestDisplay, TComponentDeleter> again(new TTestDisplay(nullptr));
  TLayoutReader::ReadRoot(*again, "object Display1: TTestDisplay\n  _Floats = (('Zoom' 0))\nend\n");
  EXPECT_EQ(again->Zoom(), 0);
}

}  // namespace
