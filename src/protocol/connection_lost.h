#pragma once
// The failure of a transmission job whose port lost its line while it ran (the device went
// away or refused writes): the job stops there and this reaches the window's general error
// report. Its text says, in the operator's language, during which job the connection was
// lost, what was left unsent (the job itself and, in a send-all, the jobs after it) and to
// check the cable and send again.

#include <QString>
#include <QStringList>
#include <exception>
#include <string>

namespace vx {

// What a job sends, as the text names it: `item` as a subject ("o logotipo"), `during` after
// "durante o envio" ("do logotipo").
struct JobItem {
  QString item;
  QString during;
};
JobItem settingsItem();
JobItem clockItem();
JobItem textItem(int button);
JobItem logoItem();

class ConnectionLost : public std::exception {
 public:
  // Lost while sending; the job is told afterwards (setJob).
  ConnectionLost();
  // The job that was running, left unsent; the first call counts.
  void setJob(const JobItem& job);
  // A later job that will not run.
  void addNotSent(const JobItem& job);
  // The job set with setJob (empty before).
  const JobItem& job() const { return job_; }
  // UTF-8.
  const char* what() const noexcept override { return text_.c_str(); }
  QString text() const { return QString::fromStdString(text_); }

 private:
  void compose();

  bool haveJob_ = false;
  JobItem job_;
  QStringList notSent_;
  std::string text_;
};

}  // namespace vx
