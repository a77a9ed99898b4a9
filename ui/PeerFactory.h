#pragma once
// Double dispatch from a widget to the backend's peer for its kind: each widget's MakePeer calls
// the Make overload for its own class. A widget kind outside this layer (a control of its own)
// overrides MakePeer and asks its backend-specific factory.
#include <memory>

#include "ui/Widget.h"

namespace sm::ui {

class TForm; class TButton; class TSpeedButton; class TCheckBox; class TRadioButton;
class TComboBox; class TEdit; class TLabel; class TPanel; class TGroupBox; class TTabControl;
class TListView; class TUpDown; class TSpinButton; class TTrackBar; class TProgressBar;
class TDateTimePicker; class TSaNumEdit;

class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  virtual std::unique_ptr<Peer> Make(TForm&) = 0;
  virtual std::unique_ptr<Peer> Make(TButton&) = 0;
  virtual std::unique_ptr<Peer> Make(TSpeedButton&) = 0;
  virtual std::unique_ptr<Peer> Make(TCheckBox&) = 0;
  virtual std::unique_ptr<Peer> Make(TRadioButton&) = 0;
  virtual std::unique_ptr<Peer> Make(TComboBox&) = 0;
  virtual std::unique_ptr<Peer> Make(TEdit&) = 0;
  virtual std::unique_ptr<Peer> Make(TLabel&) = 0;
  virtual std::unique_ptr<Peer> Make(TPanel&) = 0;
  virtual std::unique_ptr<Peer> Make(TGroupBox&) = 0;
  virtual std::unique_ptr<Peer> Make(TTabControl&) = 0;
  virtual std::unique_ptr<Peer> Make(TListView&) = 0;
  virtual std::unique_ptr<Peer> Make(TUpDown&) = 0;
  virtual std::unique_ptr<Peer> Make(TSpinButton&) = 0;
  virtual std::unique_ptr<Peer> Make(TTrackBar&) = 0;
  virtual std::unique_ptr<Peer> Make(TProgressBar&) = 0;
  virtual std::unique_ptr<Peer> Make(TDateTimePicker&) = 0;
  virtual std::unique_ptr<Peer> Make(TSaNumEdit&) = 0;
};

}  // namespace sm::ui
