#pragma once

#include "document/ExerciseDocument.h"
#include "page/Findability.h"
#include "page/PageSettings.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace lexifind {

class PageSink;

// What one page job makes.
enum class PageProduct {
    Page,      // the exercise page, in the style the settings ask for
    Scorm12,   // the SCORM 1.2 package (a zip archive)
    Scorm2004, // the SCORM 2004 4th edition package
    Marks,     // nothing but the entries the learner cannot find (the word list's marks)
};

// A snapshot of the lesson, taken where the teacher works: the job sees nothing else, so
// it may run on any thread.
struct PageJobRequest
{
    ExerciseDocument document;
    PageSettings settings;
    PageProduct product = PageProduct::Page;
    // Make nothing when an entry cannot be found (lexifind-page --strict): the division
    // is checked before the first byte.
    bool refuseUnfindable = false;
};

struct PageJobResult
{
    // The page or the package; empty for Marks, for an error, a cancel, a refusal, or
    // when the bytes went to the control's sink.
    QByteArray bytes;
    // The entries no learner can find, in list order (for every product).
    std::vector<UnfindableEntry> unfindable;
    // The request's settings, with the defaults the page filled in.
    PageSettings settings;
    // The French message of what stopped the job (as the error box shows it, before its
    // full stop); empty when nothing did.
    QString error;
    bool cancelled = false;
    bool refused = false; // refuseUnfindable, and an entry cannot be found

    bool succeeded() const { return error.isEmpty() && !cancelled && !refused; }
};

struct PageJobControl
{
    // Set from any thread: the job stops at its next step (after the division, between
    // pieces of the page) with cancelled set. The division itself runs to its end.
    const std::atomic_bool *cancel = nullptr;
    // Called on the job's thread with a percentage that only grows: 0 at the start, 50 once
    // the text is divided (the long part of a long text), 100 at the end.
    std::function<void(int percent)> progress;
    // When given, the bytes go there as they are made (the page in pieces, a package
    // whole) instead of into the result: a page that never stands whole in memory. A sink
    // that saw a job fail, cancelled or refused holds an unfinished product.
    PageSink *sink = nullptr;
};

// Divides the text once and makes the product from that division, the unfindable
// entries from the same. Nothing is thrown: every failure, running out of memory
// included, comes back as the result's error.
PageJobResult RunPageJob(PageJobRequest request, const PageJobControl &control = {}) noexcept;

} // namespace lexifind
