// Reports the exercise to a learning platform's SCORM run-time, when the page runs inside
// one. The package appends the call with its settings:
//   ({version: "1.2" or "2004", masteryScore: a percentage or null});
// Outside a platform, or when the platform refuses a call, it stays silent: the page
// works exactly as on its own.
// It talks with the page through DOM events only: the page sends lexifind-start when it
// can take a saved state (answered with lexifind-resume), lexifind-progress when ready,
// on each new question and each new round, lexifind-answer after every answer; each
// carries the page's state, a short ASCII string kept here as it is, and its round.
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
  function commit() {
    call('LMSCommit', 'Commit', '');
  }
  function el(name12, name2004) {
    return is2004 ? name2004 : name12;
  }

  if (call('LMSInitialize', 'Initialize', '') !== 'true') return;
  var started = Date.now();
  var open = true;

  // What the platform holds: nothing of it is ever lowered, in this session or later.
  var mode = get(el('cmi.core.lesson_mode', 'cmi.mode'));
  // A review or a browse of the lesson records nothing.
  var recording = mode !== 'review' && mode !== 'browse';
  var saved = get(el('cmi.core.entry', 'cmi.entry')) === 'resume' ? get('cmi.suspend_data') : '';
  var status = get(el('cmi.core.lesson_status', 'cmi.completion_status'));
  var success = is2004 ? get('cmi.success_status') : '';
  var stored = get(el('cmi.core.score.raw', 'cmi.score.raw'));
  var best = stored !== '' && isFinite(stored) ? Number(stored) : -1;
  var interactions = parseInt(get('cmi.interactions._count'), 10) || 0;
  var mastery = typeof config.masteryScore === 'number' ? config.masteryScore : null;

  // The statuses in the order in which a learner goes up through them.
  var rank12 = { incomplete: 1, failed: 2, completed: 3, passed: 4 };
  var completionRank = { incomplete: 1, completed: 2 };
  var successRank = { failed: 1, passed: 2 };
  function raise(element, held, wanted, ranks) {
    if ((ranks[wanted] || 0) <= (ranks[held] || 0)) return held;
    set(element, wanted);
    return wanted;
  }

  function two(n) {
    return (n < 10 ? '0' : '') + n;
  }
  // A duration in the edition's own format: 0000:01:02.50 or PT0H1M2.50S.
  function duration(ms) {
    var centis = Math.max(0, Math.floor(ms / 10));
    var hours = Math.floor(centis / 360000);
    var minutes = Math.floor(centis / 6000) % 60;
    var seconds = Math.floor(centis / 100) % 60;
    var hundredths = centis % 100;
    if (is2004)
      return 'PT' + hours + 'H' + minutes + 'M' + seconds + '.' + two(hundredths) + 'S';
    return ('000' + Math.min(hours, 9999)).slice(-4) + ':' + two(minutes) + ':' + two(seconds) +
      '.' + two(hundredths);
  }
  // The time of day (1.2) or the local date and time (2004).
  function timestamp(date) {
    var time = two(date.getHours()) + ':' + two(date.getMinutes()) + ':' + two(date.getSeconds());
    if (!is2004) return time;
    return date.getFullYear() + '-' + two(date.getMonth() + 1) + '-' + two(date.getDate()) + 'T' + time;
  }

  // The page's latest state, and whether there is anything to keep: an answer in this
  // session, or a state this session started from.
  var state = saved;
  var finished = false;
  var kept = saved !== '';
  var answered = false;

  // One interaction per answer. The id names the question the same way in every session:
  // its number and its entry, percent-encoded (ASCII without blanks, within the 255
  // characters of 1.2). An entry that cannot be encoded (a lone surrogate) is left out.
  function interaction(a) {
    var word = '';
    try {
      word = '-' + encodeURIComponent(a.entry).slice(0, 200).replace(/%[0-9A-F]?$/, '');
    } catch (e) {
      word = '';
    }
    var prefix = 'cmi.interactions.' + interactions + '.';
    if (set(prefix + 'id', 'q' + (a.question + 1) + word) !== 'true') return;
    interactions++;
    // The learner picks a word among the text's: a choice of word numbers in 2004; 1.2's
    // choice takes single characters only, its numeric type takes a word number.
    set(prefix + 'type', is2004 ? 'choice' : 'numeric');
    set(prefix + el('time', 'timestamp'), timestamp(new Date(Date.now() - a.latency)));
    for (var i = 0; i < a.words.length; i++)
      set(prefix + 'correct_responses.' + i + '.pattern', a.words[i]);
    set(prefix + el('student_response', 'learner_response'), a.word);
    set(prefix + 'result', a.right ? 'correct' : is2004 ? 'incorrect' : 'wrong');
    set(prefix + 'latency', duration(a.latency));
    if (is2004) {
      // A description is at most 250 characters on one line, and may not start with '{'.
      var description = String(a.definition).replace(/[\r\n\u2028\u2029]/g, ' ').replace(/^\{/, '(');
      if (description.length > 250)
        description = description.slice(0, /[\uD800-\uDBFF]/.test(description[249]) ? 249 : 250);
      if (description) set(prefix + 'description', description);
    }
  }

  function report(p) {
    var questions = Number(p.questions) || 0;
    var found = Math.min(Number(p.found) || 0, questions);
    // Hundredths of a percent, so that the platform's own comparison with the mastery
    // score agrees with ours.
    var score = questions > 0 ? Math.round(10000 * found / questions) / 100 : 0;
    if (score > best) {
      best = score;
      set(el('cmi.core.score.min', 'cmi.score.min'), 0);
      set(el('cmi.core.score.max', 'cmi.score.max'), 100);
      set(el('cmi.core.score.raw', 'cmi.score.raw'), best);
      if (is2004) set('cmi.score.scaled', best / 100);
    }
    var passed = mastery !== null && best >= mastery;
    if (is2004) {
      status = raise('cmi.completion_status', status, finished ? 'completed' : 'incomplete', completionRank);
      if (mastery !== null)
        success = raise('cmi.success_status', success, passed ? 'passed' : finished ? 'failed' : 'unknown', successRank);
    } else {
      var now = finished ? 'completed' : 'incomplete';
      if (mastery !== null && (passed || finished)) now = passed ? 'passed' : 'failed';
      status = raise('cmi.core.lesson_status', status, now, rank12);
    }
  }

  // What a platform needs to take the learner back where they left: written after every
  // answer, and again whenever the page may go away.
  function keep() {
    if (!kept) return;
    set('cmi.suspend_data', state);
    set(el('cmi.core.exit', 'cmi.exit'), finished ? (is2004 ? 'normal' : '') : 'suspend');
    set(el('cmi.core.session_time', 'cmi.session_time'), duration(Date.now() - started));
  }

  document.addEventListener('lexifind-start', function () {
    if (saved)
      document.dispatchEvent(new CustomEvent('lexifind-resume', { detail: { state: saved } }));
  });
  if (recording) {
    document.addEventListener('lexifind-progress', function (event) {
      var p = event.detail;
      if (!open || !p) return;
      // A restart after the end starts a new round: the state follows it.
      state = String(p.state || '');
      finished = !!p.finished;
    });
    document.addEventListener('lexifind-answer', function (event) {
      var a = event.detail;
      if (!open || !a) return;
      state = String(a.state || '');
      finished = !!a.finished;
      kept = answered = true;
      interaction(a);
      // A round of the missed words is practice: the platform keeps the first round's score.
      if (!(a.round > 1)) report(a);
      keep();
      commit();
    });
  }

  function finish() {
    if (!open) return;
    if (recording) {
      // A first visit left without an answer stays incomplete: a 1.2 platform may take
      // a status never set for completed.
      if (!answered && !is2004 && (status === 'not attempted' || status === ''))
        set('cmi.core.lesson_status', 'incomplete');
      keep();
    }
    commit();
    open = false;
    call('LMSFinish', 'Terminate', '');
  }
  // The page going out of sight may be the last the platform hears of it (a phone that
  // closes it later): what is kept is committed then.
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden' && open) {
      if (recording) keep();
      commit();
    }
  });
  // pagehide comes whenever the page goes away; a page kept in the back-forward cache
  // (persisted) may come back, and its session then goes on: only a commit until then.
  // An unload listener would be refused by today's browsers.
  window.addEventListener('pagehide', function (event) {
    if (event.persisted) {
      if (open && recording) keep();
      if (open) commit();
    } else {
      finish();
    }
  });
})
