// Reports the exercise's progress to a learning platform's SCORM run-time, when the page
// runs inside one. The package appends the call with its settings:
//   ({version: "1.2" or "2004", masteryScore: a percentage or null});
// Outside a platform, or when the platform refuses a call, it stays silent: the page
// works exactly as on its own.
(function (config) {
  'use strict';
  var is2004 = config.version === '2004';
  var apiName = is2004 ? 'API_1484_11' : 'API';

  // The platform's API object: in this window or a parent (the usual frame set), then
  // in the window that opened this one and its parents (a platform's pop-up).
  function findIn(win) {
    for (var depth = 0; win && depth < 500; depth++) {
      try {
        if (win[apiName]) return win[apiName];
      } catch (e) {
        return null; // a foreign origin: no way further up
      }
      if (win.parent === win) break;
      win = win.parent;
    }
    return null;
  }
  var api = findIn(window);
  if (!api) {
    try {
      api = window.opener ? findIn(window.opener) : null;
    } catch (e) {
      api = null;
    }
  }
  if (!api) return;

  function call(name12, name2004, a, b) {
    try {
      var fn = api[is2004 ? name2004 : name12];
      return typeof fn === 'function' ? String(fn.call(api, a, b)) : 'false';
    } catch (e) {
      return 'false';
    }
  }
  function set(element, value) {
    return call('LMSSetValue', 'SetValue', element, String(value));
  }
  function get(element) {
    return call('LMSGetValue', 'GetValue', element);
  }

  if (call('LMSInitialize', 'Initialize', '') !== 'true') return;
  var started = Date.now();
  var open = true;
  // The best of this session: a restart after the end lowers nothing.
  var bestScore = -1;
  var finishedOnce = false;
  var mastery = typeof config.masteryScore === 'number' ? config.masteryScore : null;
  // A review of an earlier attempt records nothing.
  var recording = get(is2004 ? 'cmi.mode' : 'cmi.core.lesson_mode') !== 'review';

  function two(n) {
    return (n < 10 ? '0' : '') + n;
  }
  function sessionTime() {
    var centis = Math.floor((Date.now() - started) / 10);
    var hours = Math.floor(centis / 360000);
    var minutes = Math.floor(centis / 6000) % 60;
    var seconds = Math.floor(centis / 100) % 60;
    var hundredths = centis % 100;
    if (is2004)
      return 'PT' + hours + 'H' + minutes + 'M' + seconds + '.' + two(hundredths) + 'S';
    return ('000' + Math.min(hours, 9999)).slice(-4) + ':' + two(minutes) + ':' + two(seconds) +
      '.' + two(hundredths);
  }

  function report(progress) {
    var questions = Number(progress.questions) || 0;
    var found = Math.min(Number(progress.found) || 0, questions);
    // Hundredths of a percent, so that the platform's own comparison with the mastery
    // score agrees with ours.
    var score = questions > 0 ? Math.round(10000 * found / questions) / 100 : 0;
    bestScore = Math.max(bestScore, score);
    finishedOnce = finishedOnce || !!progress.finished;
    var passed = mastery !== null && bestScore >= mastery;

    set(is2004 ? 'cmi.score.min' : 'cmi.core.score.min', 0);
    set(is2004 ? 'cmi.score.max' : 'cmi.core.score.max', 100);
    set(is2004 ? 'cmi.score.raw' : 'cmi.core.score.raw', bestScore);
    if (is2004) {
      set('cmi.score.scaled', bestScore / 100);
      set('cmi.completion_status', finishedOnce ? 'completed' : 'incomplete');
      if (mastery !== null)
        set('cmi.success_status', passed ? 'passed' : finishedOnce ? 'failed' : 'unknown');
    } else {
      var status = finishedOnce ? 'completed' : 'incomplete';
      if (mastery !== null && (passed || finishedOnce)) status = passed ? 'passed' : 'failed';
      set('cmi.core.lesson_status', status);
    }
    set(is2004 ? 'cmi.session_time' : 'cmi.core.session_time', sessionTime());
    call('LMSCommit', 'Commit', '');
  }

  if (recording) {
    var status = get(is2004 ? 'cmi.completion_status' : 'cmi.core.lesson_status');
    if (status === 'not attempted' || status === 'unknown' || status === '') {
      set(is2004 ? 'cmi.completion_status' : 'cmi.core.lesson_status', 'incomplete');
      call('LMSCommit', 'Commit', '');
    }
    document.addEventListener('lexifind-progress', function (event) {
      if (open && event.detail) report(event.detail);
    });
  }

  function finish() {
    if (!open) return;
    open = false;
    if (recording) set(is2004 ? 'cmi.session_time' : 'cmi.core.session_time', sessionTime());
    call('LMSCommit', 'Commit', '');
    call('LMSFinish', 'Terminate', '');
  }
  // pagehide comes whenever the page goes away, also when it is kept in the back-forward
  // cache; an unload listener would be refused by today's browsers.
  window.addEventListener('pagehide', finish);
})
