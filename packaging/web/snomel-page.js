// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the program: it loads the program (snomel.js and
// snomel.wasm) and its media, lays the program folder out in the program's
// file system, and starts it on the page's canvas, scaled down whole when
// the view is smaller than the main window. While it runs, the program's
// platform layer (platform/wasm/) calls on the object snomelPage for what a
// desktop would give it: the page's audio for the letter sounds, <video>
// elements for the song, new tabs for web pages; the page says so when the
// program has ended. The service worker keeps the whole build for offline use.
'use strict';

(function () {
    // The program folder in the program's file system, also its current
    // folder (platform/wasm/pagefolder.cpp).
    const programFolder = '/snomel';
    // The main window's outer size: its 600 × 462 client area in the skin's
    // frame. A view smaller than that, with a margin, scales the program,
    // as long as a window still gets one screen pixel or more for each of
    // its own: below that Qt 6.4 draws a page's windows wrongly. Phones and
    // tablets, at two or three screen pixels to a page pixel, scale.
    const mainWindow = { width: 606, height: 510 };
    const margin = 8;
    const fit = Math.min(1, (window.innerWidth - margin) / mainWindow.width,
                         (window.innerHeight - margin) / mainWindow.height);
    const scale = fit * window.devicePixelRatio >= 1 ? fit : 1;

    const element = (id) => document.getElementById(id);
    let program = null;

    function showFailure(text) {
        element('loading').hidden = true;
        element('screen').hidden = true;
        element('failure').textContent = String(text);
        element('failed').hidden = false;
    }

    // The downloads start at once and side by side; the program starts when
    // all are in. A media file that cannot be fetched is left out of the
    // program folder, as a file missing beside an executable is.
    const compiled = WebAssembly.compileStreaming(fetch('snomel.wasm'))
        .catch(() => fetch('snomel.wasm').then((response) => response.arrayBuffer())
            .then((bytes) => WebAssembly.compile(bytes)));
    const media = fetch('media.json').then((response) => response.json())
        .then((names) => Promise.all(names.map((name) =>
            fetch('media/' + encodeURIComponent(name))
                .then((response) => {
                    if (!response.ok)
                        throw new Error(response.status + ' ' + response.statusText);
                    return response.arrayBuffer();
                })
                .then((bytes) => ({ name, bytes: new Uint8Array(bytes) }))
                .catch((error) => {
                    console.warn('snomel: ' + name + ' is not in the program folder: ' + error);
                    return null;
                }))));

    function layOutProgramFolder(module) {
        module.ENV.QT_SCALE_FACTOR = String(scale);
        module.FS.mkdir(programFolder);
        module.FS.chdir(programFolder);
        module.addRunDependency('program folder');
        media.then((files) => {
            for (const file of files) {
                if (file)
                    module.FS.writeFile(programFolder + '/' + file.name, file.bytes);
            }
            module.removeRunDependency('program folder');
        }, showFailure);
    }

    function start() {
        if (typeof createQtAppInstance !== 'function') {
            showFailure('snomel.js');
            return;
        }
        createQtAppInstance({
            qtContainerElements: [element('screen')],
            qtFontDpi: 96,
            instantiateWasm(imports, done) {
                compiled.then((module) => WebAssembly.instantiate(module, imports))
                    .then((instance) => done(instance), showFailure);
                return {};
            },
            preRun: [(module) => {
                program = module;
                layOutProgramFolder(module);
            }],
            onRuntimeInitialized() {
                element('loading').hidden = true;
            },
            print: (text) => console.log(text),
            printErr: (text) => console.warn(text),
            onAbort: showFailure,
        }).catch(showFailure);
    }

    // --- Sound: the letters' sounds, one buffer of samples each ------------
    const audio = { context: null, clips: new Map(), next: 0 };
    // A context may start suspended until the page has had a press; one
    // that is not running this long after a sound was asked for is silent.
    const silentAfterMs = 500;

    function audioContext() {
        if (!audio.context)
            audio.context = new AudioContext();
        if (audio.context.state === 'suspended')
            audio.context.resume();
        return audio.context;
    }

    function stopClip(id) {
        const clip = audio.clips.get(id);
        if (!clip)
            return;
        audio.clips.delete(id);
        clip.source.onended = null;
        try {
            clip.source.stop();
        } catch (error) {
            // Never started: nothing to stop.
        }
        clip.source.disconnect();
    }

    // --- The song: a <video> element over each player ----------------------
    const players = new Map();

    function pixels(value) {
        return value * scale + 'px';
    }

    function mouseButton(event) {
        return event.button === 2 ? 2 : event.button === 1 ? 4 : 1;
    }

    function shiftState(event) {
        return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    }

    function createPlayerElement(id, settings) {
        const frame = document.createElement('div');
        frame.className = 'player';
        frame.hidden = true;
        const video = document.createElement('video');
        video.controls = settings.controls;
        video.setAttribute('controlslist', 'nofullscreen');
        video.disablePictureInPicture = true;
        video.playsInline = true;
        video.volume = settings.volume;
        video.muted = settings.muted;
        video.style.objectFit = settings.stretch ? 'contain' : 'scale-down';
        if (!settings.enabled)
            video.style.pointerEvents = 'none';
        if (!settings.contextMenu)
            video.addEventListener('contextmenu', (event) => event.preventDefault());
        video.addEventListener('dblclick', (event) => {
            event.preventDefault();
            if (program)
                program.snomelPlayerDoubleClicked(id, mouseButton(event), shiftState(event),
                                                  event.offsetX / scale, event.offsetY / scale);
        });
        const player = { frame, video, settings, source: null, plays: 0 };
        video.addEventListener('ended', () => {
            if (++player.plays < settings.playCount)
                video.play().catch(() => {});
        });
        frame.appendChild(video);
        document.body.appendChild(frame);
        return player;
    }

    function releaseSource(player) {
        if (player.source)
            URL.revokeObjectURL(player.source);
        player.source = null;
    }

    function playFrom(player, address) {
        const video = player.video;
        player.plays = 0;
        if (!address) {
            video.removeAttribute('src');
            video.load();
            return;
        }
        video.src = address;
        video.defaultPlaybackRate = player.settings.rate;
        video.playbackRate = player.settings.rate;
        video.currentTime = player.settings.start;
        if (player.settings.autoStart)
            video.play().catch(() => {});
    }

    window.snomelPage = {
        playClip(channels, sampleRate) {
            const frames = channels.length ? channels[0].length : 0;
            let context;
            try {
                context = audioContext();
            } catch (error) {
                return 0;
            }
            if (frames === 0)
                return 0;
            const buffer = context.createBuffer(channels.length, frames, sampleRate);
            channels.forEach((samples, channel) => buffer.copyToChannel(samples, channel));
            const source = context.createBufferSource();
            source.buffer = buffer;
            source.connect(context.destination);
            const clip = { state: 'playing', source };
            // Heard once played to the end and through the output's latency.
            source.onended = () => {
                const latency = context.outputLatency || context.baseLatency || 0;
                setTimeout(() => {
                    if (clip.state === 'playing')
                        clip.state = 'played';
                }, latency * 1000);
            };
            setTimeout(() => {
                if (context.state !== 'running' && clip.state === 'playing')
                    clip.state = 'failed';
            }, silentAfterMs);
            source.start();
            const id = ++audio.next;
            audio.clips.set(id, clip);
            return id;
        },
        clipState(id) {
            const clip = audio.clips.get(id);
            return clip ? clip.state : 'failed';
        },
        stopClip,
        closeAudio() {
            for (const id of [...audio.clips.keys()])
                stopClip(id);
            if (audio.context)
                audio.context.close();
            audio.context = null;
        },

        createPlayer(id, settings) {
            players.set(id, createPlayerElement(id, settings));
        },
        destroyPlayer(id) {
            const player = players.get(id);
            if (!player)
                return;
            players.delete(id);
            playFrom(player, null);
            releaseSource(player);
            player.frame.remove();
        },
        placePlayer(id, where) {
            const player = players.get(id);
            if (!player)
                return;
            Object.assign(player.frame.style, {
                left: pixels(where.left), top: pixels(where.top),
                width: pixels(where.width), height: pixels(where.height),
            });
            Object.assign(player.video.style, {
                left: pixels(where.videoLeft), top: pixels(where.videoTop),
                width: pixels(where.videoWidth), height: pixels(where.videoHeight),
            });
            player.video.title = where.title;
            player.frame.hidden = !where.visible;
        },
        // The media's bytes (copied here), or none to close it.
        setPlayerSource(id, bytes, type) {
            const player = players.get(id);
            if (!player)
                return;
            releaseSource(player);
            if (bytes)
                player.source = URL.createObjectURL(new Blob([bytes], { type }));
            playFrom(player, player.source);
        },
        setPlayerAddress(id, address) {
            const player = players.get(id);
            if (!player)
                return;
            releaseSource(player);
            playFrom(player, address);
        },

        // A new tab that has no way back into the program's page.
        openPage(address) {
            window.open(address, '_blank', 'noopener');
        },

        ended() {
            for (const id of [...players.keys()])
                this.destroyPlayer(id);
            this.closeAudio();
            element('screen').hidden = true;
            element('ended').hidden = false;
        },
    };

    // The program's keys come through the canvas: a press on it takes the
    // keyboard back from a video element that had it.
    element('screen').addEventListener('pointerdown', () => {
        if (document.activeElement !== element('screen'))
            element('screen').focus({ preventScroll: true });
    });

    if ('serviceWorker' in navigator) {
        navigator.serviceWorker.register('service-worker.js').catch((error) =>
            console.warn('snomel: the page will not open offline: ' + error));
    }
    document.addEventListener('DOMContentLoaded', start);
})();
