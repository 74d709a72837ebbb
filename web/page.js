'use strict';

// The page around the game: the title, the canvas the game window is drawn into, the dialogs,
// the keys and the pacing of the ticks. The game itself is the WebAssembly module.
(function () {
    const TICK_MS = 1000 / 64;
    // A tick this late or later runs at once and the ticks before it are dropped: a stall (a
    // busy machine, a dialog) does not come back as a burst of steps.
    const MAX_LAG_MS = 4 * TICK_MS;
    const GAME_WINDOW = 1;
    const TITLE_WINDOW = 2;
    // How long a replay's message stays up before the replay closes it, as on the desktop.
    const READING_MS = 1500;
    // A controller's press in a message's first moment is a reflex of play, not an answer.
    const SETTLING_MS = 500;
    // The keys the rules know, by the key's place on the keyboard; WASD walk as the arrows do.
    const KEY_CODES = {
        Enter: 13, NumpadEnter: 13, Space: 32,
        ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40,
        KeyA: 37, KeyW: 38, KeyD: 39, KeyS: 40,
    };

    const byId = (id) => document.getElementById(id);
    const canvas = byId('screen');
    const context = canvas.getContext('2d');

    let game = null;
    let ended = false;
    let dialogOpen = false;
    let away = false;
    let nextTick = 0;
    let ticksRun = 0;
    let framesDrawn = 0;
    let heldByTest = false;
    let titleShownAt = null;  // milliseconds after the page's navigation began
    let paused = false;
    let gamepad = null;
    let dialogOpenedAt = 0;
    // The controller in use was unplugged while a dialog held the game still.
    let pauseAfterDialog = false;
    // The codes of the keys down in the game window, and those released while a dialog had
    // the keyboard, whose release the rules have not heard yet.
    let heldKeys = [];
    let releasedInDialog = [];
    let audio = null;
    // A replay holds the game until its script is over; then the game stands as it left it.
    let replaying = false;
    let replayOver = false;
    // A replay's message closes by itself only if it is still the one shown.
    let dialogsShown = 0;
    // What the page's tests and benchmarks count.
    let bells = 0;
    let fullScreenRequests = 0;
    const tickTimes = [];

    function withText(text, call) {
        const size = game.lengthBytesUTF8(text) + 1;
        const pointer = game._malloc(size);
        game.stringToUTF8(text, pointer, size);
        try {
            call(pointer);
        } finally {
            game._free(pointer);
        }
    }

    function beep() {
        try {
            audio = audio || new AudioContext();
            const tone = audio.createOscillator();
            const volume = audio.createGain();
            tone.frequency.value = 880;
            volume.gain.value = 0.1;
            tone.connect(volume).connect(audio.destination);
            tone.start();
            tone.stop(audio.currentTime + 0.12);
            ++bells;
        } catch (error) {
            // A page without sound plays on in silence.
        }
    }

    function showWindow(window, visible) {
        if (ended) return;
        byId(window === GAME_WINDOW ? 'game' : 'title').hidden = !visible;
        if (!visible) return;
        if (window === TITLE_WINDOW && titleShownAt === null) titleShownAt = performance.now();
        if (window === GAME_WINDOW) {
            fitCanvas();
            canvas.focus();
        } else {
            byId('new-game').focus();
        }
    }

    function showEnd(status, why) {
        ended = true;
        if (replaying) showReplayNote('');
        replaying = false;
        byId('title').hidden = true;
        byId('game').hidden = true;
        byId('over-reason').textContent = status === 0
            ? 'The game is over.' : 'The game stopped on a fault of its own: ' + why;
        byId('over').hidden = false;
        byId('play-again').focus();
    }

    // The game window's picture, exactly the game's own pixels; the canvas is enlarged only by
    // whole device pixels per game pixel, without smoothing.
    function draw() {
        ++framesDrawn;
        const pointer = game._vexmire_paint();
        const width = game._vexmire_frame_width();
        const height = game._vexmire_frame_height();
        const bytes = new Uint8ClampedArray(game.HEAPU8.buffer, pointer, width * height * 4);
        context.putImageData(new ImageData(bytes, width, height), 0, 0);
    }

    function fitCanvas() {
        const ratio = window.devicePixelRatio || 1;
        const room = Math.min((window.innerWidth - 16) * ratio / canvas.width,
            (window.innerHeight - 64) * ratio / canvas.height);
        const scale = Math.max(1, Math.floor(room));
        canvas.style.width = (canvas.width * scale / ratio) + 'px';
        canvas.style.height = (canvas.height * scale / ratio) + 'px';
    }

    // A dialog the rules opened: the canvas shows the game as its handler left it.
    function openWaitingDialog() {
        if (dialogOpen || ended) return;
        const kind = game._vexmire_dialog_kind();
        if (kind < 0) return;
        dialogOpen = true;
        draw();
        const title = game.UTF8ToString(game._vexmire_dialog_title());
        const text = game.UTF8ToString(game._vexmire_dialog_text());
        const dialog = byId(kind === 0 ? 'message' : 'prompt');
        byId(kind === 0 ? 'message-title' : 'prompt-title').textContent = title;
        byId(kind === 0 ? 'message-text' : 'prompt-text').textContent = text;
        if (kind === 1) byId('prompt-answer').value = '';
        dialog.returnValue = '';
        dialog.showModal();
        dialogOpenedAt = performance.now();
        const shown = ++dialogsShown;
        if (replaying && kind === 0) {
            setTimeout(() => { if (dialogsShown === shown && dialog.open) dialog.close(); },
                READING_MS);
        }
    }

    function closeDialog(answer) {
        dialogOpen = false;
        withText(answer, (pointer) => game._vexmire_answer(pointer));
        nextTick = performance.now() + TICK_MS;
        openWaitingDialog();
        if (dialogOpen || ended) return;
        // The figure stops for a key that went up while the dialog had the keyboard.
        for (const code of releasedInDialog.splice(0)) call(() => game._vexmire_key_up(code));
        canvas.focus();
        if (pauseAfterDialog) setPaused(true);
    }

    function call(action) {
        if (ended || dialogOpen) return;
        action();
        openWaitingDialog();
    }

    function runDueTicks(now) {
        if (away || dialogOpen || ended || replayOver) {
            nextTick = now + TICK_MS;
            return;
        }
        if (now - nextTick >= MAX_LAG_MS) nextTick = now;
        while (now >= nextTick && !dialogOpen && !ended) {
            nextTick += TICK_MS;
            ++ticksRun;
            if (tickTimes.length === 4096) tickTimes.shift();
            tickTimes.push(now);
            call(() => game._vexmire_tick());
        }
        if (replaying && !game._vexmire_playing()) endReplay();
    }

    function endReplay() {
        replaying = false;
        replayOver = true;
        if (!ended) showReplayNote('The replay is over: reload the page to play.');
    }

    function showReplayNote(text) {
        byId('replay-note').textContent = text;
        byId('replay-note').hidden = text === '';
    }

    // A .vxs file dropped on the page or picked is played from start-up at the game's pace, as
    // vexmire --replay plays it; one the desktop would refuse gets its one line, and the game
    // goes on as it was.
    async function replay(file) {
        const longest = game._vexmire_longest_replay();
        let bytes;
        try {
            bytes = new Uint8Array(await file.slice(0, longest + 1).arrayBuffer());
        } catch (error) {
            showReplayNote('vexmire: cannot read ' + file.name + ': ' + error.message);
            return;
        }
        const pointer = game._malloc(Math.max(bytes.length, 1));
        game.HEAPU8.set(bytes, pointer);
        const wasEnded = ended;
        ended = false;  // the windows of the replay's start-up are shown
        let refusal = '';
        withText(file.name, (name) => {
            refusal = game.UTF8ToString(game._vexmire_replay(name, pointer, bytes.length));
        });
        game._free(pointer);
        if (refusal !== '') {
            ended = wasEnded;
            showReplayNote(refusal);
            if (!ended && !byId('game').hidden) canvas.focus();
            return;
        }
        showReplayNote('Replaying ' + file.name + ': the keys wait until it is over.');
        byId('over').hidden = true;
        replaying = true;
        replayOver = false;
        paused = false;
        pauseAfterDialog = false;
        heldKeys = [];
        releasedInDialog = [];
        noteAway();
        nextTick = performance.now();
        if (wasEnded) requestAnimationFrame(animate);
    }

    function animate(now) {
        if (ended) return;
        gamepad.read(now);
        runDueTicks(now);
        if (!byId('game').hidden && !dialogOpen) draw();
        requestAnimationFrame(animate);
    }

    // A hidden or unfocused page holds the game still, as a desktop window that lost the
    // keyboard does; pacing starts afresh when it is back.
    // The real release of a held key will never reach the page: one key-up is enough, as the
    // rules stop the figure on any key's release.
    function noteAway() {
        const wasAway = away;
        away = paused || heldByTest || document.hidden || !document.hasFocus();
        if (!game) return;
        game._vexmire_set_away(away ? 1 : 0);
        byId('paused').hidden = !away || ended;
        if (away && !wasAway && heldKeys.length > 0 && !dialogOpen) {
            const code = heldKeys[heldKeys.length - 1];
            heldKeys = [];
            call(() => game._vexmire_key_up(code));
        }
    }

    function recording() {
        return game.UTF8ToString(game._vexmire_recording());
    }

    // The game so far as a .vxs file, which vexmire-sim and vexmire --replay play again.
    function downloadRecording() {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([recording()], { type: 'text/plain' }));
        link.download = 'vexmire.vxs';
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 0);
        if (!ended && !byId('game').hidden) canvas.focus();
    }

    function toggleFullScreen() {
        ++fullScreenRequests;
        if (document.fullscreenElement) {
            document.exitFullscreen();
        } else {
            byId('game').requestFullscreen().catch(() => {});
        }
    }

    function keyCode(event) {
        if (event.code in KEY_CODES) return KEY_CODES[event.code];
        return event.keyCode > 0 && event.keyCode < 256 ? event.keyCode : 0;
    }

    // P, Pause and F11 are the page's own keys: they never reach the rules or the recording.
    function onKey(event, down) {
        if (ended) return;
        if (dialogOpen) {
            if (!down) releaseInDialog(keyCode(event));
            return;
        }
        if (event.code === 'F11') {
            event.preventDefault();
            if (down) toggleFullScreen();
            return;
        }
        if ((event.code === 'KeyP' || event.code === 'Pause') && !byId('game').hidden) {
            event.preventDefault();
            if (down && !event.repeat) setPaused(!paused);
            return;
        }
        // Only the replay's script reaches the rules while it plays, and nothing after it.
        if (replaying || replayOver) return;
        if (!byId('title').hidden) {
            if (!down || event.ctrlKey || event.metaKey) return;
            if (event.code === 'KeyN') call(() => game._vexmire_new_game());
            if (event.code === 'KeyQ') call(() => game._vexmire_quit());
            return;
        }
        // Paused, the game takes no key but P and Pause.
        if (byId('game').hidden || event.target !== canvas || paused) return;
        const code = keyCode(event);
        if (code === 0) return;
        if (event.code in KEY_CODES) event.preventDefault();
        gameKey(code, down);
    }

    // A game key from the keyboard or the controller, through the game window's one way in.
    function gameKey(code, down) {
        if (down && !heldKeys.includes(code)) heldKeys.push(code);
        if (!down) heldKeys = heldKeys.filter((held) => held !== code);
        call(() => down ? game._vexmire_key_down(code) : game._vexmire_key_up(code));
    }

    // A held key let go while a dialog has the keyboard stops the figure once it has closed.
    function releaseInDialog(code) {
        if (!heldKeys.includes(code)) return;
        heldKeys = heldKeys.filter((held) => held !== code);
        releasedInDialog.push(code);
    }

    function setPaused(value) {
        paused = value;
        pauseAfterDialog = false;
        noteAway();
    }

    // A hidden or unfocused page takes nothing from the controller, as it takes no key; while a
    // replay is watched, the controller does nothing, as on the desktop.
    function controllerIgnored() {
        return ended || replaying || replayOver || document.hidden || !document.hasFocus();
    }

    // The controller as the page's windows take it: the dialog first, which holds the game
    // still, then whichever window is shown.
    function takeController(change) {
        if (controllerIgnored()) return;
        if (dialogOpen) {
            for (const code of change.keys) if (code < 0) releaseInDialog(-code);
            if (change.confirmed) answerMessage();
        } else if (!byId('title').hidden) {
            if (change.confirmed) call(() => game._vexmire_new_game());
        } else if (!byId('game').hidden) {
            if (!paused) for (const code of change.keys) gameKey(Math.abs(code), code > 0);
            if (change.pauseToggled) setPaused(!paused);
        }
    }

    // A button down since before the message opened never answers it: the mapping confirms
    // only a press. The keypad's code is typed.
    function answerMessage() {
        const message = byId('message');
        if (message.open && performance.now() - dialogOpenedAt >= SETTLING_MS) message.close();
    }

    function repeatController(codes) {
        if (controllerIgnored() || dialogOpen || paused || byId('game').hidden) return;
        for (const code of codes) gameKey(code, true);
    }

    // As console games do, the game waits for the controller to come back or for the keyboard.
    function loseController() {
        if (ended || replaying || replayOver || byId('game').hidden) return;
        if (dialogOpen) {
            pauseAfterDialog = true;
        } else {
            setPaused(true);
        }
    }

    function wirePage() {
        const click = (action) => () => { if (!replaying && !replayOver) call(action); };
        byId('new-game').addEventListener('click', click(() => game._vexmire_new_game()));
        byId('quit').addEventListener('click', click(() => game._vexmire_quit()));
        byId('replay-note').addEventListener('click', () => showReplayNote(''));
        const picker = byId('replay-file');
        picker.addEventListener('change', () => {
            if (picker.files.length > 0) replay(picker.files[0]);
            picker.value = '';
        });
        document.addEventListener('dragover', (event) => event.preventDefault());
        document.addEventListener('drop', (event) => {
            event.preventDefault();
            const files = event.dataTransfer.files;
            if (files.length > 0 && !dialogOpen) replay(files[0]);
        });
        byId('play-again').addEventListener('click', () => location.reload());
        byId('full-screen').addEventListener('click', toggleFullScreen);
        for (const button of document.querySelectorAll('.download')) {
            button.addEventListener('click', downloadRecording);
        }
        byId('message').addEventListener('close', () => closeDialog(''));
        const prompt = byId('prompt');
        byId('prompt-cancel').addEventListener('click', () => prompt.close('cancel'));
        prompt.addEventListener('close', () => closeDialog(
            prompt.returnValue === 'ok' ? byId('prompt-answer').value : ''));
        document.addEventListener('keydown', (event) => onKey(event, true));
        document.addEventListener('keyup', (event) => onKey(event, false));
        document.addEventListener('visibilitychange', noteAway);
        window.addEventListener('focus', noteAway);
        window.addEventListener('blur', noteAway);
        window.addEventListener('resize', fitCanvas);
    }

    // What the page's tests read and do: the game's state as the player sees it, a script
    // played at once (the empty text, or why it was not played), and the game held still as
    // a page that lost the keyboard holds it.
    window.vexmire = {
        recording: () => recording(),
        hold: (held) => {
            heldByTest = held;
            noteAway();
        },
        play: (script) => {
            let error = '';
            withText(script, (pointer) => {
                error = game.UTF8ToString(game._vexmire_play(pointer));
            });
            openWaitingDialog();
            return error;
        },
        state: () => ({
            loaded: game !== null,
            title: !byId('title').hidden,
            game: !byId('game').hidden,
            dialog: dialogOpen,
            dialogSettled: dialogOpen && performance.now() - dialogOpenedAt >= SETTLING_MS,
            ended,
            ticks: ticksRun,
            paused: !byId('paused').hidden,
            frames: framesDrawn,
            titleShownAt,
            replaying,
            replayOver,
            replayNote: byId('replay-note').hidden ? '' : byId('replay-note').textContent,
            bells,
            fullScreenRequests,
            fullScreen: document.fullscreenElement !== null,
        }),
        // When the last ticks ran, in milliseconds after navigation began.
        tickTimes: () => tickTimes.slice(),
        // How long `count` ticks take run back to back, in milliseconds: the tick's cost.
        timeTicks: (count) => {
            const start = performance.now();
            for (let tick = 0; tick < count; ++tick) game._vexmire_tick();
            return performance.now() - start;
        },
    };

    createVexmire({
        vexmireBeep: beep,
        vexmireShowWindow: showWindow,
        vexmireEnded: showEnd,
    }).then((module) => {
        game = module;
        gamepad = createPageGamepad({
            module: () => game,
            take: takeController,
            repeat: repeatController,
            lost: loseController,
        });
        byId('loading').hidden = true;
        wirePage();
        game._vexmire_start();
        noteAway();
        requestAnimationFrame(animate);
    });
}());
