// Headless Chromium over its DevTools pipe, and a server for the browser
// build on 127.0.0.1: shared by the web test and the web benchmark.
'use strict';
const Fs = require('fs');
const Http = require('http');
const Os = require('os');
const Path = require('path');
const { spawn } = require('child_process');

const Sleep = Ms => new Promise(Resolve => setTimeout(Resolve, Ms));

// Serves the files of the folders Roots, the first that has a name wins,
// under the address Prefix ('/' or '/some/folder/'). Cross-origin isolation
// gives the page fine-grained timers for the timings. Served lists the
// names asked for.
function Serve(Roots, Prefix = '/')
{
    const Types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                    '.mp3': 'audio/mpeg' };
    const Find = Name => Roots.map(Root => Path.join(Root, Name || 'index.html'))
        .find((File, I) => File.startsWith(Roots[I]) && Fs.existsSync(File) && Fs.statSync(File).isFile());
    const Server = Http.createServer((Request, Response) => {
        const Address = decodeURIComponent(new URL(Request.url, 'http://x').pathname);
        const File = Address.startsWith(Prefix) && Find(Address.slice(Prefix.length));
        Server.Served.push(Address.slice(Prefix.length));
        if (!File) {
            Response.writeHead(404).end();
            return;
        }
        Response.writeHead(200, { 'Content-Type': Types[Path.extname(File)] || 'application/octet-stream',
                                  'Cross-Origin-Opener-Policy': 'same-origin',
                                  'Cross-Origin-Embedder-Policy': 'require-corp' });
        Fs.createReadStream(File).pipe(Response);
    });
    Server.Served = [];
    return new Promise(Resolve => Server.listen(0, '127.0.0.1', () => Resolve(Server)));
}

// Chromium with the DevTools protocol on fds 3 (to it) and 4 (from it),
// messages ended by a zero byte.
function StartBrowser()
{
    const Profile = Fs.mkdtempSync(Path.join(Os.tmpdir(), 'vorlune-chromium-'));
    const Child = spawn('chromium', [
        '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--user-data-dir=' + Profile,
        '--remote-debugging-pipe', '--force-color-profile=srgb', '--hide-scrollbars', '--mute-audio',
        'about:blank'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
    const Pending = new Map();
    let NextId = 1, Buffer_ = '';
    Child.stdio[4].on('data', Chunk => {
        Buffer_ += Chunk.toString();
        let End;
        while ((End = Buffer_.indexOf('\0')) >= 0) {
            const Message = JSON.parse(Buffer_.slice(0, End));
            Buffer_ = Buffer_.slice(End + 1);
            const Waiter = Pending.get(Message.id);
            if (Waiter) {
                Pending.delete(Message.id);
                Message.error ? Waiter.Reject(new Error(JSON.stringify(Message.error))) : Waiter.Resolve(Message.result);
            }
        }
    });
    const Send = (method, params = {}, sessionId) => new Promise((Resolve, Reject) => {
        const id = NextId++;
        Pending.set(id, { Resolve, Reject });
        Child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    });
    // Its helper processes may still be writing the profile for a moment.
    const Close = async () => {
        const Exited = new Promise(Resolve => Child.on('exit', Resolve));
        await Promise.race([Send('Browser.close'), Sleep(5000)]).catch(() => Child.kill());
        await Promise.race([Exited, Sleep(5000).then(() => Child.kill('SIGKILL'))]);
        Fs.rmSync(Profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
    };
    return { Send, Close };
}

// Polls Expression until it gives something other than undefined, null or
// false; undefined when Seconds pass first.
async function WaitUntil(Evaluate, Expression, Seconds)
{
    const Until = Date.now() + Seconds * 1000;
    for (;;) {
        const Value = await Evaluate(Expression);
        if (Value !== undefined && Value !== null && Value !== false)
            return Value;
        if (Date.now() > Until)
            return undefined;
        await Sleep(200);
    }
}

// Screen: the viewport in CSS pixels, its device scale, and for a phone,
// touch instead of a mouse.
async function OpenPage(Browser, Url, Screen = { Width: 1280, Height: 960, Scale: 1 })
{
    const { targetId } = await Browser.Send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await Browser.Send('Target.attachToTarget', { targetId, flatten: true });
    const Send = (Method, Params) => Browser.Send(Method, Params, sessionId);
    await Send('Emulation.setDeviceMetricsOverride', { width: Screen.Width, height: Screen.Height,
                                                       deviceScaleFactor: Screen.Scale, mobile: !!Screen.Touch });
    if (Screen.Touch)
        await Send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    await Send('Page.navigate', { url: Url });
    const Evaluate = async Expression => {
        const { result, exceptionDetails } = await Send('Runtime.evaluate', { expression: Expression, returnByValue: true });
        return exceptionDetails ? undefined : result.value;
    };
    const Keys = { Space: [' ', 32], Escape: ['Escape', 27], KeyC: ['c', 67], KeyP: ['p', 80] };
    const Key = async Code => {
        for (const type of ['keyDown', 'keyUp'])
            await Send('Input.dispatchKeyEvent', { type, key: Keys[Code][0], code: Code, windowsVirtualKeyCode: Keys[Code][1] });
    };
    const Click = async (x, y) => {
        for (const type of ['mousePressed', 'mouseReleased'])
            await Send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    };
    const Tap = async (x, y) => {
        await Send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
        await Send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    };
    return {
        Send, Evaluate, Key, Click, Tap,
        WaitFor: (Expression, Seconds) => WaitUntil(Evaluate, Expression, Seconds),
        Screenshot: async () => Buffer.from((await Send('Page.captureScreenshot', { format: 'png' })).data, 'base64'),
        Close: () => Browser.Send('Target.closeTarget', { targetId }),
    };
}

module.exports = { Serve, StartBrowser, OpenPage, WaitUntil, Sleep };
