#pragma once
// What reading a data file tells the person at the screen, without any interface library:
// the window shows each notice in a message box, the terminal tools print it. Reading goes on
// after a notice; a request to end takes effect once the running handler has finished.

#include <string>

class TNoticeSink {
 public:
  virtual ~TNoticeSink() = default;

  // One message, as the plain message box shows it.
  virtual void Notify(const std::u16string& text) = 0;
  // Asks for the program to end: the running handler goes on to its end (its boxes stay until
  // answered), then the program ends without running the main window's close handler, also
  // when the handler ran before the event loop started.
  virtual void RequestTermination() = 0;
  virtual bool TerminationRequested() const = 0;
};
