// The page around the game: fits the canvas to the window, full screen, the
// loading bar and the cover that starts play, messages in view, the touch
// controls, and the offline copy. The game itself (skyrend.js and its .wasm
// and .data) reads the touch controls from window.SkyrendTouch.
(function () {
  'use strict';
  var Program = document.body.getAttribute('data-program') || 'skyrend';
  // The files' sizes, written in by the build, for the loading bar when the
  // server sends them compressed (the browser then counts unpacked bytes).
  var Sizes = /*SIZES*/{}/*SIZES*/;
  var MaxLong = 1920, MaxShort = 1080;  // the drawing buffer's largest size
  var LostWait = 4000;  // ms a lost picture may take to come back

  function $(Id) { return document.getElementById(Id); }
  var Canvas = $('canvas'), Stage = $('stage'), Cover = $('cover'), Bar = $('progress'), Percent = $('percent');
  var PlayButton = $('play'), Status = $('status'), Messages = $('messages'), FullButton = $('fullscreen');

  function Say(Text) { Status.textContent = Text; }
  function Mark(Name) { if (window.performance && performance.mark) performance.mark(Name); }

  function ShowMessage(Text) {
    var Line = document.createElement('p');
    Line.textContent = Text;
    Messages.appendChild(Line);
    Messages.hidden = false;
    return Line;
  }
  Messages.addEventListener('click', function () { Messages.hidden = true; });

  // --- The canvas fills the stage, drawn at the device's pixel ratio up to
  // 1920 x 1080 (either way round); the game widens or heightens its view to
  // the shape it is given.
  function Fit() {
    var Ratio = window.devicePixelRatio || 1;
    var Width = Stage.clientWidth * Ratio, Height = Stage.clientHeight * Ratio;
    var Scale = Math.min(1, MaxLong / Math.max(Width, Height), MaxShort / Math.max(1, Math.min(Width, Height)));
    Width = Math.max(1, Math.round(Width * Scale));
    Height = Math.max(1, Math.round(Height * Scale));
    if (Canvas.width !== Width) Canvas.width = Width;
    if (Canvas.height !== Height) Canvas.height = Height;
  }
  if (window.ResizeObserver) new ResizeObserver(Fit).observe(Stage);
  window.addEventListener('resize', Fit);
  Fit();

  // --- Full screen: the button, F11 and Alt+Enter.
  function FullScreen() { return document.fullscreenElement || document.webkitFullscreenElement; }
  function ToggleFullScreen() {
    if (FullScreen()) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
      return;
    }
    var Request = Stage.requestFullscreen || Stage.webkitRequestFullscreen;
    var Result = Request && Request.call(Stage);
    if (Result && Result.catch) Result.catch(function (Error) { Say('Full screen was refused: ' + Error.message); });
  }
  if (!(document.fullscreenEnabled || document.webkitFullscreenEnabled)) FullButton.hidden = true;
  FullButton.addEventListener('click', function () {
    ToggleFullScreen();
    Canvas.focus({ preventScroll: true });  // keys go to the game again, not to the button
  });
  function FullScreenChanged() {
    var On = !!FullScreen();
    FullButton.setAttribute('aria-pressed', String(On));
    FullButton.textContent = On ? 'Leave full screen' : 'Full screen';
  }
  // The focus ring marks the canvas when the focus comes to it, and goes once it is played on.
  Canvas.addEventListener('focus', function () { Canvas.classList.remove('playing'); });
  Canvas.addEventListener('keydown', function (Event) {
    if (Event.code !== 'Tab') Canvas.classList.add('playing');
  });
  Canvas.addEventListener('mousedown', function () { Canvas.classList.add('playing'); });

  // The key list open covers the game: it pauses (the shell reads the ask
  // once a display frame). Closed, the keys are the game's again.
  $('keys').addEventListener('toggle', function () {
    if ($('keys').open) window.SkyrendPauseAsked = true;
    else Canvas.focus({ preventScroll: true });
  });
  // The player's name for the score board, asked when sharing is turned on
  // without one. The shell opens the field, reads Answer once a display frame
  // (the text typed, or false for Cancel and Escape), and closes it or says
  // why the text is not a name.
  var NameAsk = $('name-ask'), NameField = $('name-field'), NameFault = $('name-fault');
  var Name = window.SkyrendName = {
    Answer: null,
    Open: function () {
      Name.Answer = null;
      NameField.value = '';
      NameFault.textContent = '';
      NameAsk.hidden = false;
      NameField.focus();
    },
    Refuse: function (Fault) {
      NameFault.textContent = Fault;
      NameField.focus();
    },
    Close: function () {
      NameAsk.hidden = true;
      Canvas.focus({ preventScroll: true });
    }
  };
  NameAsk.addEventListener('submit', function (Event) {
    Event.preventDefault();
    Name.Answer = NameField.value;
  });
  $('name-cancel').addEventListener('click', function () { Name.Answer = false; });
  NameAsk.addEventListener('keydown', function (Event) {
    if (Event.code === 'Escape') {
      Event.preventDefault();
      Name.Answer = false;
    }
  });
  document.addEventListener('fullscreenchange', FullScreenChanged);
  document.addEventListener('webkitfullscreenchange', FullScreenChanged);
  window.addEventListener('keydown', function (Event) {
    var Plain = !Event.ctrlKey && !Event.altKey && !Event.metaKey && !Event.shiftKey;
    if ((Event.code === 'F11' && Plain) || (Event.code === 'Enter' && Event.altKey && !Event.ctrlKey && !Event.metaKey)) {
      Event.preventDefault();
      if (!Event.repeat) ToggleFullScreen();
    }
  }, true);

  // --- Touch: a stick on the left (sideways turns, up and down change speed),
  // a fire button and a pause button on the right, on touch screens only and
  // hidden while a gamepad is connected. The game reads window.SkyrendTouch
  // once a display frame: the stick as -127..127, the fire button held, and
  // counts of fire and pause presses, so a tap shorter than a frame still counts.
  var Touch = window.SkyrendTouch = { Active: false, X: 0, Y: 0, Fire: false, Fires: 0, Pauses: 0, Tap: null };
  var TouchBox = $('touch'), Zone = $('stick-zone'), Stick = $('stick'), Knob = $('knob'), FireButton = $('fire');
  var StickRadius = 56;
  var TouchScreen = navigator.maxTouchPoints > 0 || (window.matchMedia && matchMedia('(any-pointer: coarse)').matches);
  var StickId = null, FireId = null, StickX = 0, StickY = 0;

  function PadConnected() {
    var Pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (var i = 0; Pads && i < Pads.length; ++i) if (Pads[i] && Pads[i].connected) return true;
    return false;
  }
  function StickAtRest() {
    Stick.style.left = '90px';
    Stick.style.top = 'calc(100% - 100px)';
    Knob.style.transform = '';
  }
  function LetGo() {
    StickId = FireId = null;
    Touch.X = Touch.Y = 0;
    Touch.Fire = false;
    FireButton.classList.remove('down');
    StickAtRest();
  }
  function ShowTouch() {
    var Show = TouchScreen && !PadConnected();
    if (!Show) LetGo();
    TouchBox.hidden = !Show;
    Touch.Active = Show;
  }
  function Find(List, Id) {
    for (var i = 0; i < List.length; ++i) if (List[i].identifier === Id) return List[i];
    return null;
  }
  function MoveStick(Point) {
    var Dx = Point.clientX - StickX, Dy = Point.clientY - StickY;
    var Length = Math.sqrt(Dx * Dx + Dy * Dy);
    if (Length > StickRadius) {
      Dx *= StickRadius / Length;
      Dy *= StickRadius / Length;
    }
    Touch.X = Math.round(Dx / StickRadius * 127);
    Touch.Y = Math.round(Dy / StickRadius * 127);
    Knob.style.transform = 'translate(' + Dx + 'px,' + Dy + 'px)';
  }
  var Active = { passive: false };
  Zone.addEventListener('touchstart', function (Event) {
    Event.preventDefault();
    if (StickId !== null) return;
    var Point = Event.changedTouches[0];
    var Box = Stage.getBoundingClientRect();
    StickId = Point.identifier;
    StickX = Point.clientX;
    StickY = Point.clientY;
    Stick.style.left = (StickX - Box.left) + 'px';
    Stick.style.top = (StickY - Box.top) + 'px';
    MoveStick(Point);
  }, Active);
  Zone.addEventListener('touchmove', function (Event) {
    Event.preventDefault();
    var Point = Find(Event.changedTouches, StickId);
    if (Point) MoveStick(Point);
  }, Active);
  function StickEnd(Event) {
    if (Find(Event.changedTouches, StickId)) {
      StickId = null;
      Touch.X = Touch.Y = 0;
      StickAtRest();
    }
  }
  Zone.addEventListener('touchend', StickEnd);
  Zone.addEventListener('touchcancel', StickEnd);
  FireButton.addEventListener('touchstart', function (Event) {
    Event.preventDefault();
    FireId = Event.changedTouches[0].identifier;
    Touch.Fire = true;
    ++Touch.Fires;
    FireButton.classList.add('down');
  }, Active);
  function FireEnd(Event) {
    if (!Find(Event.changedTouches, FireId)) return;
    FireId = null;
    Touch.Fire = false;
    FireButton.classList.remove('down');
  }
  FireButton.addEventListener('touchend', FireEnd);
  FireButton.addEventListener('touchcancel', FireEnd);
  // A short touch that hardly moved, away from the buttons, is a tap: the game
  // reads its point on the canvas (CSS pixels) once and may take it (a row of
  // the title's table). The stick saw it too, but a touch that never moved
  // leaves the stick at rest.
  var TapStart = null;
  TouchBox.addEventListener('touchstart', function (Event) {
    var Point = Event.changedTouches[0];
    var OnButton = Event.target === FireButton || Event.target === $('pause');
    TapStart = Event.touches.length === 1 && !OnButton ? { X: Point.clientX, Y: Point.clientY, T: Date.now() } : null;
  }, { passive: true });
  TouchBox.addEventListener('touchend', function (Event) {
    var Point = Event.changedTouches[0], Start = TapStart;
    TapStart = null;
    if (!Start || Date.now() - Start.T > 500 || Math.abs(Point.clientX - Start.X) + Math.abs(Point.clientY - Start.Y) > 12) return;
    var Box = $('canvas').getBoundingClientRect();
    Touch.Tap = { X: Math.round(Point.clientX - Box.left), Y: Math.round(Point.clientY - Box.top) };
  }, { passive: true });
  $('pause').addEventListener('touchstart', function (Event) {
    Event.preventDefault();
    ++Touch.Pauses;
  }, Active);
  $('pause').addEventListener('click', function () { ++Touch.Pauses; });
  window.addEventListener('gamepadconnected', ShowTouch);
  window.addEventListener('gamepaddisconnected', ShowTouch);
  window.addEventListener('touchstart', function () {
    if (TouchScreen) return;
    TouchScreen = true;  // a touch screen that did not say so, or one used again after the mouse
    ShowTouch();
  }, { capture: true, passive: true });
  // A mouse on a touch screen's machine: the controls step aside so a click
  // reaches the picture (touches are taken before they make mouse events).
  TouchBox.addEventListener('mousedown', function () {
    TouchScreen = false;
    ShowTouch();
  });
  StickAtRest();
  ShowTouch();

  // --- The cover: loading, then "click or tap to play", which the browser
  // counts as the gesture that lets the game's sound start.
  var Ready = false;
  function Uncover() {
    if (!Ready || Cover.hidden) return;
    Cover.hidden = true;
    Canvas.focus({ preventScroll: true });
  }
  Cover.addEventListener('click', Uncover);
  // Any plain key plays, but Tab: it walks the page's controls.
  window.addEventListener('keydown', function (Event) {
    if (!Event.ctrlKey && !Event.altKey && !Event.metaKey && Event.code !== 'Tab' && Event.key !== 'Tab') Uncover();
  });

  function ShowProgress(Loaded, Total) {
    if (Total > 0) {
      Bar.max = Total;
      Bar.value = Math.min(Loaded, Total);
      Percent.textContent = Math.floor(Math.min(Loaded, Total) * 100 / Total) + '%';
    } else {
      Bar.removeAttribute('value');  // indeterminate
    }
  }

  // Fetches Name whole, reporting bytes as they arrive through Count(name, loaded, total).
  function Get(Name, Count) {
    return fetch(Name).then(function (Response) {
      if (!Response.ok) throw new Error(Name + ': ' + Response.status + ' ' + Response.statusText);
      var Encoded = Response.headers.get('Content-Encoding');
      var Total = Sizes[Name] || (!Encoded && Number(Response.headers.get('Content-Length'))) || 0;
      Count(Name, 0, Total);
      if (!Response.body || !Response.body.getReader) return Response.arrayBuffer();
      var Reader = Response.body.getReader(), Parts = [], Loaded = 0;
      function Next() {
        return Reader.read().then(function (Step) {
          if (Step.done) {
            var Whole = new Uint8Array(Loaded), At = 0;
            Parts.forEach(function (Part) { Whole.set(Part, At); At += Part.length; });
            return Whole.buffer;
          }
          Parts.push(Step.value);
          Loaded += Step.value.length;
          Count(Name, Loaded, Total);
          return Next();
        });
      }
      return Next();
    });
  }

  function WebGl2() {
    try {
      return !!(window.WebGL2RenderingContext && document.createElement('canvas').getContext('webgl2'));
    } catch (Error) {
      return false;
    }
  }

  function Stop(Text, Message) {
    Cover.hidden = true;
    Say(Text);
    ShowMessage(Message);
  }

  // The game's module: its picture on the canvas, its lines on the console.
  window.Module = {
    canvas: Canvas,
    print: function (Text) { console.log(Text); },
    printErr: function (Text) { console.warn(Text); },
    onRuntimeInitialized: function () {
      Mark('skyrend-runtime-ready');
      Ready = true;
      $('loading').hidden = true;
      PlayButton.hidden = false;
      Cover.classList.add('ready');
      FilesLoaded();
    },
    onAbort: function (What) {
      Stop('The game stopped.', 'Skyrend stopped (' + What + '). Reload the page to try again.');
    },
  };

  function Load() {
    var Progress = {};
    function Count(Name, Loaded, Total) {
      Progress[Name] = [Loaded, Total];
      var L = 0, T = 0;
      for (var Key in Progress) {
        L += Progress[Key][0];
        T += Progress[Key][1] || 0;
      }
      ShowProgress(L, T);
    }
    // The script comes in beside them, to run as soon as they are here.
    var Early = document.createElement('link');
    Early.rel = 'preload';
    Early.as = 'script';
    Early.href = Program + '.js';
    document.head.appendChild(Early);
    Promise.all([Get(Program + '.wasm', Count), Get(Program + '.data', Count), WatchedDemo()]).then(function (Files) {
      Mark('skyrend-files-loaded');
      if (Files[2] !== null) window.SkyrendWatch = Files[2];
      Module.wasmBinary = Files[0];
      var Data = Files[1];
      Module.getPreloadedPackage = function () {
        var Bytes = Data;
        Data = null;  // the packaged files now live in the game's memory
        return Bytes;
      };
      var Script = document.createElement('script');
      Script.src = Program + '.js';
      Script.onerror = function () { Failed(new Error(Program + '.js did not load')); };
      document.body.appendChild(Script);
    }).catch(Failed);
  }

  // The demo of the game to watch when the page was opened from the score
  // board (?watch=ID), from the board's own site; null when none is asked for.
  function WatchedDemo() {
    var Id = new URLSearchParams(location.search).get('watch');
    if (Id === null) return Promise.resolve(null);
    if (!/^[0-9]{1,18}$/.test(Id)) return Promise.reject(new Error('no game is numbered ' + Id));
    return fetch('../api/v1/games/' + Id + '/demo').then(function (Response) {
      if (!Response.ok) throw new Error('the game to watch: ' + Response.status + ' ' + Response.statusText);
      return Response.text();
    });
  }

  function Failed(Error) {
    var Where = location.protocol === 'file:'
      ? ' A page opened from a file cannot load them: serve the folder (node tools/serve/serve.js) and open it from there.'
      : ' Check the connection and reload the page.';
    Stop('Skyrend could not load.', 'Skyrend could not load its files (' + Error.message + ').' + Where);
  }

  // --- The picture lost: the game builds it again when the browser gives the
  // context back; if it does not, the player is told to reload.
  var LostTimer = null, LostLine = null;
  Canvas.addEventListener('webglcontextlost', function () {
    clearTimeout(LostTimer);
    LostTimer = setTimeout(function () {
      LostLine = ShowMessage('The browser took the game\'s picture away (its graphics were reset) and has not given it back. ' +
                  'Reload the page to play on.');
    }, LostWait);
  });
  // A context that comes back late takes its "Reload" away: the game waits paused under its sign.
  Canvas.addEventListener('webglcontextrestored', function () {
    clearTimeout(LostTimer);
    if (!LostLine) return;
    LostLine.remove();
    LostLine = null;
    if (!Messages.firstChild) Messages.hidden = true;
  });

  // --- Offline and updates: a service worker keeps this version's files, so
  // the next visit plays without a connection. The first visit registers it
  // once the game has loaded, so its download does not compete with the
  // game's; a later visit (the page came from it) asks the server for a new
  // version at once, past the browser's HTTP cache. A new version installs
  // beside this one and takes over only once this page has all its files,
  // so the two builds never mix; the player is told it plays on the next load.
  var Worker = navigator.serviceWorker && Program === 'skyrend' ? navigator.serviceWorker : null;
  var Registration = null, Loaded = false, NewSaid = false;
  function SayNewVersion() {
    if (NewSaid) return;
    NewSaid = true;
    var Notice = $('notice');
    Notice.textContent = 'A new version of Skyrend is ready: it plays when the page is next loaded.';
    Notice.hidden = false;
  }
  $('notice').addEventListener('click', function () { $('notice').hidden = true; });
  // A new version waiting: said, and let in once this page's files are loaded.
  function FollowNewVersion() {
    var Waiting = Registration && Registration.waiting;
    if (!Waiting || !Worker.controller) return;
    SayNewVersion();
    if (Loaded) Waiting.postMessage('loaded');
  }
  function Register() {
    Worker.register('skyrend-sw.js', { updateViaCache: 'none' }).then(function (Found) {
      Registration = Found;
      Found.addEventListener('updatefound', function () {
        var Installing = Found.installing;
        if (Installing) Installing.addEventListener('statechange', FollowNewVersion);
      });
      FollowNewVersion();
      if (Found.active) return Found.update();  // an earlier visit's: ask for a newer one now
    }).catch(function (Error) {
      console.log('No offline copy or update: ' + Error.message);
    });
  }
  function FilesLoaded() {
    Loaded = true;
    if (!Worker) return;
    if (Registration) FollowNewVersion();
    else if (!Worker.controller) Register();
  }
  if (Worker && Worker.controller) Register();

  if (!WebGl2()) {
    Stop('Skyrend cannot start: this browser gives it no WebGL 2.',
         'Skyrend draws with WebGL 2, which this browser has not made available. Turn on hardware (graphics) ' +
         'acceleration in the browser\'s settings, update the browser and the graphics driver, or open the page ' +
         'in a current Chrome, Edge, Firefox or Safari.');
    return;
  }
  Load();
})();
