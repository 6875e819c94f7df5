// A window that holds controls: Frame1 of the main window (an etched frame)
// and the black panels of the About box. Its controls' notifications go on
// to the window that owns the container, as if the controls were its own.
#pragma once

#include <windows.h>

#include "ui/win/window.h"

namespace icotrace {

class ContainerWindow final : public Window {
 public:
  enum class Looks { Frame, BlackPanel };

  ContainerWindow() = default;
  ~ContainerWindow() override;

  void Create(HINSTANCE instance, HWND parent, UINT_PTR childId, Looks looks);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintFrame();

  Looks m_looks = Looks::Frame;
};

}  // namespace icotrace
