'use strict';

// The player's game controller, through the browser's Gamepad API. What its buttons and stick
// mean is the game's own mapping, in the module, as on the desktop: this only reads the
// controller, once a frame while one with the standard layout is plugged in, and hands what the
// mapping says to the page, which routes it as it routes the keyboard. The first controller
// plugged in is the one in use; when it is unplugged, the next one takes over.
function createPageGamepad(page) {
    // A held direction or South repeats as a held key does: after half a second, 25 times a
    // second.
    const REPEAT_DELAY_MS = 500;
    const REPEAT_INTERVAL_MS = 40;
    const STANDARD_BUTTONS = 17;

    let inUse = null;  // the index of the controller in use
    let repeatAt = null;

    // Other layouts number their buttons in ways of their own: a wrong guess would fire or walk
    // when the player meant neither.
    function usable(pad) {
        return Boolean(pad) && pad.connected && pad.mapping === 'standard';
    }

    function pads() {
        return navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
    }

    function pressedButtons(pad) {
        let pressed = 0;
        const count = Math.min(pad.buttons.length, STANDARD_BUTTONS);
        for (let button = 0; button < count; ++button) {
            if (pad.buttons[button].pressed) pressed |= 1 << button;
        }
        return pressed;
    }

    // The module's answer is copied out at once: a call into the game may move its memory.
    function words(pointer, count) {
        const start = pointer >> 2;
        return Array.from(page.module().HEAP32.subarray(start, start + count));
    }

    function take(pressed, stickX, stickY, now) {
        const game = page.module();
        const pointer = game._vexmire_gamepad(pressed, stickX, stickY);
        const [confirmed, pauseToggled, count] = words(pointer, 3);
        const keys = words(pointer + 12, count);
        // The keys held, and so their repeat, change only with a key going down or up.
        if (keys.length > 0) scheduleRepeat(keys, now);
        page.take({ keys, confirmed: confirmed !== 0, pauseToggled: pauseToggled !== 0 });
    }

    function repeating() {
        const pointer = page.module()._vexmire_gamepad_repeats();
        return words(pointer + 4, words(pointer, 1)[0]);
    }

    // A new key restarts the repeat after its delay; letting go of one key keeps the others'
    // repeats going.
    function scheduleRepeat(keys, now) {
        if (repeating().length === 0) {
            repeatAt = null;
        } else if (repeatAt === null || keys.some((code) => code > 0)) {
            repeatAt = now + REPEAT_DELAY_MS;
        }
    }

    function repeatIfDue(now) {
        if (repeatAt === null || now < repeatAt) return;
        repeatAt += REPEAT_INTERVAL_MS;
        if (repeatAt < now) repeatAt = now + REPEAT_INTERVAL_MS;
        page.repeat(repeating());
    }

    function connected(event) {
        if (inUse === null && usable(event.gamepad)) inUse = event.gamepad.index;
    }

    // Everything the controller held is let go before the page hears that it is gone.
    function disconnected(event) {
        if (event.gamepad.index !== inUse) return;
        inUse = null;
        take(0, 0, 0, performance.now());
        page.lost();
        takeFirstUsable(event.gamepad.index);
    }

    function takeFirstUsable(except) {
        const first = pads().find((pad) => usable(pad) && pad.index !== except);
        if (first) inUse = first.index;
    }

    // One plugged in while the page loaded was announced before anyone listened.
    takeFirstUsable(null);
    window.addEventListener('gamepadconnected', connected);
    window.addEventListener('gamepaddisconnected', disconnected);

    return {
        // Called at each of the page's frames: nothing is read while no controller is in use.
        read(now) {
            if (inUse === null) return;
            const pad = pads()[inUse];
            if (!pad || !usable(pad)) return;
            take(pressedButtons(pad), pad.axes[0] || 0, pad.axes[1] || 0, now);
            repeatIfDue(now);
        },
    };
}
